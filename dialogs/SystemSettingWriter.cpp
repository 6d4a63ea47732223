// Writing "config.ini": the group of the settings in plain ASCII, the file's other sections kept.

#include "dialogs/SystemSetting.h"
#include "dialogs/SystemSettingKeys.h"

#include "common/Prompts.h"
#include "vantor/util/FileUtil.h"
#include "vantor/util/LogHandler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

using namespace SystemSettingKeys;

namespace {

bool isHexDigit(ushort c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A string as QSettings reads it back unchanged: quoted, with everything outside printable ASCII
// escaped, so the file is plain ASCII whatever codec reads it.
QString iniString(QString text)
{
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    QString out = QStringLiteral("\"");
    bool afterHex = false;
    for (const QChar ch : text) {
        const ushort u = ch.unicode();
        if (u < 0x20 || u >= 0x7f || (afterHex && isHexDigit(u))) {
            out += QStringLiteral("\\x") + QString::number(u, 16);
            afterHex = true;
            continue;
        }
        afterHex = false;
        if (u == '"' || u == '\\')
            out += QLatin1Char('\\');
        out += ch;
    }
    out += QLatin1Char('"');
    return out;
}

QString valueText(const Key& key, const V& values)
{
    switch (key.kind) {
    case Kind::Color:
        return QString::number((values.*key.color).rgba());
    case Kind::Bool:
        return values.*key.flag ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Int:
        return QString::number(values.*key.number);
    case Kind::Float:
        return QString::number(double(values.fExactvalue), 'g', 9);
    case Kind::Path:
        return iniString(values.logPath);
    }
    return QString();
}

// The lines of the file's other sections, kept as they are.
QStringList otherSections(const QString& path)
{
    QStringList kept;
    std::string bytes, error;
    if (!Vantor::FileUtil::ReadRegularFile(QFile::encodeName(path).toStdString(), MaxConfigBytes, bytes, error))
        return kept;
    bool ours = false;
    const QList<QByteArray> lines = QByteArray::fromStdString(bytes).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty())
            break;
        const QString line = QString::fromUtf8(lines[i]).remove(QLatin1Char('\r'));
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
            ours = trimmed.mid(1, trimmed.size() - 2) == QLatin1String(kGroup);
        if (!ours)
            kept << line;
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    return kept;
}

} // namespace

bool SystemSetting::saveConfig()
{
    const QString path = configPath();
    QString text;
    QTextStream out(&text);
    out << '[' << kGroup << "]\n";
    for (const Key& key : keys())
        out << key.name << '=' << valueText(key, m_values) << '\n';
    out << kCountKey << '=' << m_values.quickAccess.size() << '\n';
    for (int i = 0; i < m_values.quickAccess.size(); ++i)
        out << "number" << i << '=' << iniString(m_values.quickAccess.at(i)) << '\n';
    const QStringList others = otherSections(path);
    if (!others.isEmpty())
        out << '\n' << others.join(QLatin1Char('\n')) << '\n';
    out.flush();

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        error = file.errorString();
    else if (file.write(text.toUtf8()) < 0 || !file.commit())
        error = file.errorString();
    if (error.isEmpty())
        return true;
    const QString message = tr("The settings could not be saved to %1: %2").arg(path, error);
    Vantor::LogHandler::getInstance()->reportError(message);
    Prompts::get().warning(this, tr("SystemSetting"), message);
    return false;
}
