#pragma once

class Browser;
class Clock;
class FileDialog;
class Folders;
class MessageBox;
class Printer;
class RandomSource;
class SettingsStore;
class TextInput;

// Everything the program asks of the machine, so that tests can stand in for each piece.
struct Platform
{
    Clock& clock;
    RandomSource& random;
    SettingsStore& settings;
    Folders& folders;
    MessageBox& messages;
    FileDialog& files;
    Browser& browser;
    TextInput& input;
    Printer& printer;
};
