#pragma once

class QComboBox;
class QWidget;

// An editable box for an image file's extension without the dot; its list offers "st",
// "msa", "dim" and "zip". What is typed stays as typed: nothing is added to the list and a
// text that differs from a listed one only in case is not replaced by it.
QComboBox* extensionBox(QWidget* parent, const char* name);
