#pragma once

#include <QString>

#include <vector>

struct DemoData;
class DemoRandom;

// Up to `count` different invented game titles, made from the title patterns and word
// lists; fewer only when the word lists cannot make that many.
std::vector<QString> makeGameTitles(const DemoData& data, int count, DemoRandom& random);
