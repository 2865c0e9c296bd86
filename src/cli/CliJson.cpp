#include "cli/CliJson.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace Cli {

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
                out += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QChar(u'0'));
            else
                out += ch;
        }
    }
    return out + u'"';
}

QString ColourText(uint32_t colour) {
    return QStringLiteral("0x") + QStringLiteral("%1").arg(colour, 8, 16, QChar(u'0')).toUpper();
}

JsonObject& JsonObject::Add(const QString& key, const QString& text) {
    return AddRaw(key, JsonString(text));
}

JsonObject& JsonObject::Add(const QString& key, qint64 number) {
    return AddRaw(key, QString::number(number));
}

JsonObject& JsonObject::AddNumber(const QString& key, double number) {
    // JSON has no NaN or infinity; a damaged Version may hold either.
    if (!std::isfinite(number)) return AddRaw(key, QStringLiteral("null"));
    QString text = QString::number(number, 'g', QLocale::FloatingPointShortest);
    if (!text.contains(u'.') && !text.contains(u'e')) text += QStringLiteral(".0"); // still reads as a double
    return AddRaw(key, text);
}

JsonObject& JsonObject::AddRaw(const QString& key, const QString& json) {
    m_members.emplace_back(key, json);
    return *this;
}

QString JsonObject::Pretty(int depth) const {
    if (m_members.empty()) return QStringLiteral("{}");
    const QString inner(2 * (depth + 1), u' ');
    QStringList lines;
    for (const auto& [key, value] : m_members) lines.append(inner + JsonString(key) + QStringLiteral(": ") + value);
    return QStringLiteral("{\n") + lines.join(QStringLiteral(",\n")) + u'\n' + QString(2 * depth, u' ') + u'}';
}

QString JsonObject::Inline() const {
    QStringList members;
    for (const auto& [key, value] : m_members) members.append(JsonString(key) + QStringLiteral(": ") + value);
    return u'{' + members.join(QStringLiteral(", ")) + u'}';
}

QString NoteJson(const NoteRecord& n) {
    JsonObject o;
    o.AddNumber("Version", n.Version);
    o.Add("Enabled", n.Enabled);
    o.Add("Text", n.Text);
    o.Add("ShowFrom", n.ShowFrom);
    o.Add("ShowUntil", n.ShowUntil);
    o.Add("LoadSound", n.LoadSound);
    o.Add("CloseSound", n.CloseSound);
    o.Add("ButtonSound", n.ButtonSound);
    o.Add("BackColour", ColourText(n.BackColour));
    o.Add("ImagePath", n.ImagePath);
    o.Add("BorderStyle", n.BorderStyle);
    o.Add("ImageAlign", n.ImageAlign);
    o.Add("FontBold", n.FontBold);
    o.Add("FontItalic", n.FontItalic);
    o.Add("FontStrikethru", n.FontStrikethru);
    o.Add("FontUnderline", n.FontUnderline);
    o.Add("FontName", n.FontName);
    o.Add("FontColour", ColourText(n.FontColour));
    o.Add("FontSize", n.FontSize);
    o.Add("TextAlign", n.TextAlign);
    return o.Pretty();
}

namespace {
QString AtTimesJson(const SettingsRecord& s) {
    QStringList rows;
    for (const AtTime& t : s.AtTimes) {
        JsonObject row;
        row.Add("Enabled", t.Enabled).Add("Hour", t.Hour).Add("Minute", t.Minute).Add("AmPm", t.AmPm);
        rows.append(QStringLiteral("    ") + row.Inline());
    }
    return QStringLiteral("[\n") + rows.join(QStringLiteral(",\n")) + QStringLiteral("\n  ]");
}
} // namespace

QString SettingsJson(const SettingsRecord& s) {
    JsonObject o;
    o.Add("AlarmSound", s.AlarmSound);
    o.Add("PlayAlarm", s.PlayAlarm);
    o.Add("AnimateIcon", s.AnimateIcon);
    o.Add("ShowOnTrayStart", s.ShowOnTrayStart);
    o.Add("TrayOnSystemStart", s.TrayOnSystemStart);
    o.Add("EveryHours", s.EveryHours);
    o.Add("EveryMinutes", s.EveryMinutes);
    o.AddRaw("AtTimes", AtTimesJson(s));
    o.Add("EveryEnabled", s.EveryEnabled);
    o.Add("Arrangement", s.Arrangement);
    o.Add("TrayOnlyEnabled", s.TrayOnlyEnabled);
    o.Add("NotesFolder", s.NotesFolder);
    o.Add("NoteHeight", s.NoteHeight);
    o.Add("NoteWidth", s.NoteWidth);
    o.Add("TrayWhich", s.TrayWhich);
    o.Add("PromptApplyEdit", s.PromptApplyEdit);
    o.Add("PromptCloseNote", s.PromptCloseNote);
    o.Add("PromptNoShowOnTray", s.PromptNoShowOnTray);
    o.Add("PromptNoTrayOnBoot", s.PromptNoTrayOnBoot);
    o.Add("PromptMultiCopies", s.PromptMultiCopies);
    o.Add("PromptDeleteNote", s.PromptDeleteNote);
    return o.Pretty();
}

} // namespace Cli
