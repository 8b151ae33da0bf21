#pragma once
// Message texts and titles of the main window's burner operations, kept in one place.
// The blanks inside each text are part of it.
#include <QString>

namespace Burner_Text {

// Titles of the error boxes.
inline const QString Error_Title = QStringLiteral("錯誤訊息");
inline const QString Verify_Error_Title = QStringLiteral("ERROR");

// Image commands.
inline const QString Program_Fail = QStringLiteral("      *****   SPD 檔案下傳失敗 !   *****      ");
inline const QString ReadModule_Ok = QStringLiteral("*****   電腦讀取模組 SPD 成功!   ***** ");
inline const QString ReadModule_Fail = QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** ");
inline const QString ReadIC_Ok = QStringLiteral("*****   電腦讀取機器 SPD 成功!   ***** ");
inline const QString ReadIC_Fail = QStringLiteral("*****   電腦讀取機器 SPD 失敗!   ***** ");
inline const QString Verify_Ok = QStringLiteral("      *****   PC 與 SPD 機器比對成功 !    *****      ");
inline const QString Verify_Fail = QStringLiteral("      *****   PC 與 SPD 機器比對失敗 !    *****      ");
inline const QString Vcopy_Ok = QStringLiteral("      *****    SPD 檔案下傳成功 !    *****      ");
inline const QString Vcopy_Mismatch = QStringLiteral("      *****    SPD 檔案下傳失敗 !    *****      ");
inline const QString Vcopy_Error = QStringLiteral("      *****    SPD 檔案下傳失敗 !   *****      ");
inline const QString Blank_Not_Blank = QStringLiteral("The IC is not Blank");
inline const QString Blank_Ok = QStringLiteral("      *****   PC Load Data is OK !   *****      ");
inline const QString Blank_Fail = QStringLiteral("Load Data Fail");

// Control commands.
inline const QString Status_Fail = QStringLiteral("      *****   無法讀取狀態 !   *****      ");
inline const QString Erase_Ok = QStringLiteral("*****   SPD燒錄機清除成功 !   *****      ");
inline const QString Erase_Fail = QStringLiteral("*****   SPD燒錄機清除失敗 !   *****      ");
inline const QString Auto_Fail = QStringLiteral("      *****   SPD燒錄機,自動燒錄功能失敗 !   *****      ");
inline const QString Read_Fail = QStringLiteral("*****   SPD 讀取失敗 !   *****");
inline const QString Copy_Fail = QStringLiteral("*****   SPD 拷貝失敗 !   *****");
inline const QString Verify_Command_Fail = QStringLiteral("*****   SPD 比對失敗 !   *****");
inline const QString EN_KEY_Fail = QStringLiteral("*****   按鍵上鎖失敗 !   *****");
inline const QString DIS_KEY_Fail = QStringLiteral("*****   按鍵解鎖失敗 !   *****");
inline const QString SNUM_P_Fail = QStringLiteral("*****  自動序號選擇失敗 !   *****");
inline const QString SNUM_N_Fail = QStringLiteral("*****   自動序號選擇失敗 !   *****");
inline const QString Mcopy_Fail = QStringLiteral("*****   SPD 多重拷貝失敗 !   *****");

// Status reader.
inline const QString Link_Fail = QStringLiteral("*****    RS-232 連結失敗    *****");

} // namespace Burner_Text
