#pragma once
// Fixed texts, captions and addresses of the shell's dialogs and file commands, kept in
// one place so the windows and their tests use the very same strings.
#include <QString>

// ---- administrator login and password set-up

// The administrator's own fixed password: it always opens the login and is the marker
// stored in "PASS1" once a password has been set up.
inline const QString kAdminPassword = QStringLiteral("QTX417");

inline const QString kErrorTitle = QStringLiteral("錯誤");

inline const QString kLoginCaption = QStringLiteral("密碼");
inline const QString kLoginPrompt = QStringLiteral("輸入密碼 :");
inline const QString kLoginFailText = QStringLiteral(" *****  密碼錯務，請重新輸入 !  *****");

inline const QString kPasswordSetupCaption = QStringLiteral("密碼設定");
inline const QString kFirstPasswordSetupCaption = QStringLiteral("第一次密碼設定");
inline const QString kNewPasswordPrompt = QStringLiteral("輸入新密碼 :");
inline const QString kConfirmPasswordPrompt = QStringLiteral("確認新密碼 :");
inline const QString kPasswordMismatchText = QStringLiteral(" *****  密碼輸入不一致，請重新輸入 !  *****");
// A password of fewer than two characters could not be read back at the next start.
inline const QString kPasswordTooShortText = QStringLiteral(" *****  密碼至少要兩個字元，請重新輸入 !  *****");
inline const QString kPasswordNotStoredText =
    QStringLiteral(" *****  密碼無法存入設定檔，請檢查設定檔的位置與權限 !  *****");
// Each typed character of a password box shows as this.
inline const QChar kPasswordMaskChar = QLatin1Char('*');

inline const QString kConfirmButton = QStringLiteral("確 認");
inline const QString kCancelButton = QStringLiteral("取 消");

// ---- settings dialog

inline const QString kOptionsCaption = QStringLiteral("通訊設定");
inline const QString kNumberFrameCaption = QStringLiteral("Input Number");
inline const QString kDecModeCaption = QStringLiteral("Dec Mode");
inline const QString kHexModeCaption = QStringLiteral("Hex Mode");
inline const QString kPortFrameCaption = QStringLiteral("連接埠");
inline const QString kOptionsOkButton = QStringLiteral("確  定");
inline const QString kOptionsCancelButton = QStringLiteral("取  消");

// ---- splash and About

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

inline const QString kSplashMemoryLine = QStringLiteral("SDRAM");
inline const QString kSplashDdrLine = QStringLiteral("DDR  I  II  III");
inline const QString kSplashVersionLine = QStringLiteral("Ver: C 3.0");

inline const QString kAboutCloseButton = QStringLiteral("關   閉");
inline const QString kAboutSysInfoButton = QStringLiteral("系統資訊");
inline const QString kAboutDisclaimer = QStringLiteral(
    "Warning: this computer program is protected by copyright law and international "
    "treaties. Unauthorized reproduction or distribution of this program, or any portion "
    "of it, may result in severe civil and criminal penalties, and will be prosecuted to "
    "the maximum extent possible under the law.");
inline const QString kSysInfoUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

// Where the system-information tool is registered.
inline const QString kSysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString kSysInfoValue = QStringLiteral("PATH");
inline const QString kSysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString kSysInfoLocationValue = QStringLiteral("MSINFO");
inline const QString kSysInfoProgramName = QStringLiteral("\\MSINFO32.EXE");

// ---- the maker's addresses and the error-report mail

inline const QString kMakerSalesMail = QStringLiteral("sales@velmondra.com.tw");
inline const QString kMakerWebSite = QStringLiteral("http://www.velmondra.com.tw/");
inline const QString kErrorMailSubject = QStringLiteral("SPD Error Mail");

// ---- SPD file commands

inline const QString kSpdFileFilter =
    QStringLiteral("Velmondra SPD Files (*.spd)|*.spd|Bin Files (*.bin)|*.bin|All Files (*.*)|*.*");
inline constexpr int kSpdFileFilterIndex = 1;
inline const QString kOpenDialogTitle = QStringLiteral("開啟舊檔");
inline const QString kSaveDialogTitle = QStringLiteral("儲存");
inline const QString kSaveAsDialogTitle = QStringLiteral("另存新檔");
inline const QString kNoSaveRightsText = QStringLiteral("      *****   權限不足無法存檔,請洽管理人員 !   *****      ");
// Captions of untitled documents start with this.
inline const QString kUntitledCaptionStart = QStringLiteral("SPD_File");
