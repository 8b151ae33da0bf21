#include "spd_decode/jep106.h"

#include "spd_document/spd_record.h"

#include <QHash>

namespace {
// Key -> row index, built once from the table. Every key stands once, so the first row
// with an equal key is the only one.
const QHash<QString, int>& keyIndex()
{
    static const QHash<QString, int> index = [] {
        const auto& table = JEDEC_Name_Table();
        QHash<QString, int> h;
        h.reserve(static_cast<qsizetype>(table.size()));
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            if (!h.contains(table[static_cast<size_t>(i)].key))
                h.insert(table[static_cast<size_t>(i)].key, i);
        }
        return h;
    }();
    return index;
}
} // namespace

std::optional<QString> JEDEC_Find(const QString& key)
{
    const auto& index = keyIndex();
    const auto it = index.constFind(key);
    if (it == index.constEnd()) return std::nullopt;
    return JEDEC_Name_Table()[static_cast<size_t>(it.value())].caption;
}

QString JEDEC_Caption_After(const QString& currentCaption, const QString& key)
{
    if (auto caption = JEDEC_Find(key)) return *caption;
    return currentCaption;
}

uint8_t JEP106_Id_Byte(int codeNumber)
{
    if (codeNumber < 1 || codeNumber > 126) return 0;
    int ones = 0;
    for (int v = codeNumber; v != 0; v >>= 1) ones += v & 1;
    const int parity = (ones % 2 == 0) ? 0x80 : 0x00;
    return static_cast<uint8_t>(codeNumber | parity);
}

QString JEP106_Key_Text(int continuations, uint8_t idByte)
{
    // A 7-bit continuation count is at most 127; anything longer can never name a row anyway.
    if (continuations > 127) continuations = 127;
    QString key;
    if (continuations > 0) {
        key.reserve(2 * continuations + 2);
        for (int i = 0; i < continuations; ++i) key += QLatin1String("7F");
    }
    key += Hex_Byte_Text(idByte);
    return key;
}

QString JEP106_Key(int bank, int codeNumber)
{
    if (bank < 1 || codeNumber < 1 || codeNumber > 126) return QString();
    return JEP106_Key_Text(bank - 1, JEP106_Id_Byte(codeNumber));
}
