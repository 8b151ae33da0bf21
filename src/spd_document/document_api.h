#pragma once
// The document's public operations that other windows call by name on the active document.
#include <QString>
#include <cstdint>

class BurnerPanel;

class DocumentApi {
public:
    virtual ~DocumentApi() = default;

    virtual void cal_chksum63() = 0;
    virtual void Type_Chang(int16_t Index) = 0;
    virtual int16_t Get_Type() const = 0;
    virtual void Value_Chang(int16_t I_INDEX, uint8_t I_Value) = 0;
    virtual void table_chang(int A) = 0;
    virtual uint8_t Get_Value(int16_t I_INDEX) const = 0;
    virtual void Set_Value_color_same(int16_t I_INDEX) = 0;
    virtual void Set_Value_color_diff2(int16_t I_INDEX) = 0;
    virtual void Set_Value_color_diff(int16_t I_INDEX) = 0;
    virtual bool Chk_Form_Chang() const = 0;
    virtual void Set_form_chang(bool flag) = 0;

    // The window caption (file path or "SPD_File n", with "*" while modified).
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& caption) = 0;

    // The checksum/CRC option group: 0 "Checksum", 1 CRC, 2 "None".
    virtual int OptcrcChoice() const = 0;
    virtual void SetOptcrc(int index) = 0;
    virtual void SetOptcrc1Caption(const QString& caption) = 0;

    // The burner panel of this document (status and result frames write it directly).
    virtual BurnerPanel* burnerPanel() = 0;
};
