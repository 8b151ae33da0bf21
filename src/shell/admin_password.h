#pragma once
// The administrator password values read at start-up, the rules the login applies to
// them, and the reading and writing of short string values under the "History" key.
#include <QString>
#include <optional>

// Text of "PASS1" (the set-up marker) and "PASS2" (the administrator's own password) as
// read when the main window loaded. A password changed during a run is not read back:
// it takes effect at the next start.
extern QString PASS1_Value;
extern QString PASS2_Value;

// Both back to empty (tests).
void Reset_Password_Values();

// True when "PASS1" says a password has been set up: its first six characters are the
// fixed administrator password, letter case counting.
bool Admin_Setup_Done(const QString& pass1);

// True when the login accepts the entry: in any letter case, the fixed administrator
// password or the stored password.
bool Login_Accepts(const QString& entry, const QString& pass2);

// The data length the registry states for a string value: its bytes in the system's
// code page (UTF-8 here) and the terminating NUL.
int Registry_String_Length(const QString& text);

// Reads a string value of the "History" key. A value that is missing or whose stated
// length is below 3 (fewer than two bytes of text) is written back as an empty string
// and gives nothing; otherwise its text.
std::optional<QString> Read_History_String(const QString& name);

// True when a password is long enough to be read back at the next start (two characters
// or more; see Read_History_String).
bool Password_Long_Enough(const QString& password);

// Stores a password set-up: "PASS1" the marker, then "PASS2" the password. False when
// either value could not be written.
bool Store_Password(const QString& password);
