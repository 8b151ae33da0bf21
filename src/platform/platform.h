#pragma once
// The set of outside-world services the program uses. The program installs the Qt
// implementations at start-up; tests install doubles.
class ComPort;
class Registry;
class Dialogs;
class Shell;
class Clock;

struct Platform {
    ComPort* com = nullptr;
    Registry* registry = nullptr;
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    Clock* clock = nullptr;
};

Platform& platform();
void setPlatform(const Platform& p);
