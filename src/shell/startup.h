#pragma once
// The program's entry: single-instance rule, splash, byte-name tables, main window.
int Main(int argc, char** argv);
