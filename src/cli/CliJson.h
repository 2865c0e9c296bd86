#pragma once
// JSON text for the records, keys in file order and named as the fields (QJsonObject would sort them).
#include "core/mdlStructures.h"
#include <QString>
#include <utility>
#include <vector>

namespace Cli {

// A JSON string literal: quotes, backslashes and control characters escaped, everything else as is.
QString JsonString(const QString& text);

// A colour as the program writes it in its documents: "0x0080FFFF".
QString ColourText(uint32_t colour);

// An object whose members keep the order in which they were added.
class JsonObject {
public:
    JsonObject& Add(const QString& key, const QString& text);
    JsonObject& Add(const QString& key, qint64 number);
    JsonObject& AddNumber(const QString& key, double number);
    JsonObject& AddRaw(const QString& key, const QString& json);
    QString Pretty(int depth = 0) const; // one member a line
    QString Inline() const;              // all on one line

private:
    std::vector<std::pair<QString, QString>> m_members; // key, JSON value
};

QString NoteJson(const NoteRecord& note);
QString SettingsJson(const SettingsRecord& settings);

} // namespace Cli
