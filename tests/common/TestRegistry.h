#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// Test classes of one executable register a factory here; the shared main runs each in turn.
namespace TestRegistry {
using Factory = std::function<std::unique_ptr<QObject>()>;
std::vector<Factory>& factories();
inline bool add(Factory factory) {
    factories().push_back(std::move(factory));
    return true;
}
} // namespace TestRegistry

#define KESTREL_TEST(Class)                                                                        \
    static const bool registered_##Class =                                                         \
        TestRegistry::add([] { return std::unique_ptr<QObject>(new Class); });
