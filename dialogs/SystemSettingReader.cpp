// Reading "config.ini": every value checked, a missing or damaged one replaced and logged.

#include "dialogs/SystemSetting.h"
#include "dialogs/SystemSettingKeys.h"

#include "vantor/util/FileUtil.h"
#include "vantor/util/LogHandler.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cmath>

using namespace SystemSettingKeys;

namespace {

void warn(const QString& text)
{
    Vantor::LogHandler::getInstance()->reportWarning(text);
}

bool parseBool(const QString& text, bool* ok)
{
    const QString t = text.trimmed().toLower();
    *ok = true;
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0"))
        return false;
    *ok = false;
    return false;
}

// Reads one key into the values; a missing or unreadable value keeps the default, an out-of-range
// number is brought into its control's range. Each of these is logged.
void readKey(const QSettings& settings, const Key& key, V& values, const QString& file)
{
    const QString name = QString::fromLatin1(key.name);
    if (!settings.contains(name)) {
        warn(QObject::tr("%1: \"%2\" is missing; its default is used").arg(file, name));
        return;
    }
    const QVariant raw = settings.value(name);
    const QString text = raw.toString().trimmed();
    bool ok = false;
    const auto unreadable = [&] {
        warn(QObject::tr("%1: \"%2\" has the unreadable value \"%3\"; its default is used").arg(file, name, text));
    };
    const auto clampInt = [&](int value) {
        const int clamped = std::min(std::max(value, key.minimum), key.maximum);
        if (clamped != value)
            warn(QObject::tr("%1: \"%2\" = %3 lies outside %4..%5; %6 is used")
                     .arg(file, name)
                     .arg(value)
                     .arg(key.minimum)
                     .arg(key.maximum)
                     .arg(clamped));
        return clamped;
    };
    switch (key.kind) {
    case Kind::Color: {
        const uint rgba = text.toUInt(&ok, 10);
        if (!ok)
            return unreadable();
        values.*key.color = QColor::fromRgba(rgba);
        return;
    }
    case Kind::Bool: {
        const bool b = parseBool(text, &ok);
        if (!ok)
            return unreadable();
        values.*key.flag = b;
        return;
    }
    case Kind::Int: {
        const int n = text.toInt(&ok);
        if (!ok)
            return unreadable();
        if (n == 0 && key.zeroIsMissing)
            return; // the default stands in for it
        values.*key.number = clampInt(n);
        return;
    }
    case Kind::Float: {
        const double d = text.toDouble(&ok); // C locale, whatever the process locale
        if (!ok || !std::isfinite(d))
            return unreadable();
        const double clamped = std::min(std::max(d, double(key.minimum)), double(key.maximum));
        if (clamped != d)
            warn(QObject::tr("%1: \"%2\" = %3 lies outside %4..%5; %6 is used")
                     .arg(file, name, text)
                     .arg(key.minimum)
                     .arg(key.maximum)
                     .arg(clamped));
        values.fExactvalue = float(clamped);
        return;
    }
    case Kind::Path:
        // Written as text by this program, as local 8-bit bytes by older ones.
        values.logPath = raw.type() == QVariant::ByteArray ? QString::fromLocal8Bit(raw.toByteArray()) : raw.toString();
        return;
    }
}

QStringList readQuickAccess(const QSettings& settings, const QStringList& fallback, const QString& file)
{
    const QString countKey = QString::fromLatin1(kCountKey);
    if (!settings.contains(countKey)) {
        warn(QObject::tr("%1: \"%2\" is missing; the default tool strip is used").arg(file, countKey));
        return fallback;
    }
    bool ok = false;
    const QString text = settings.value(countKey).toString().trimmed();
    int count = text.toInt(&ok);
    if (!ok) {
        warn(QObject::tr("%1: \"%2\" has the unreadable value \"%3\"; the default tool strip is used")
                 .arg(file, countKey, text));
        return fallback;
    }
    if (count < 0 || count > kMaxQuickAccess) {
        warn(QObject::tr("%1: \"%2\" = %3 lies outside 0..%4").arg(file, countKey).arg(count).arg(kMaxQuickAccess));
        count = std::min(std::max(count, 0), kMaxQuickAccess);
    }
    QStringList list;
    for (int i = 0; i < count; ++i) {
        const QString key = QStringLiteral("number%1").arg(i);
        if (!settings.contains(key)) {
            warn(QObject::tr("%1: \"%2\" is missing; the tool strip ends before it").arg(file, key));
            break;
        }
        const QString action = settings.value(key).toString().trimmed();
        if (!action.isEmpty())
            list << action;
    }
    return list;
}

} // namespace

SystemSettingValues SystemSetting::readValues(const QString& path)
{
    SystemSettingValues values = defaults();
    std::string refused;
    if (QFileInfo::exists(path) &&
        !Vantor::FileUtil::IsRegularFileWithin(QFile::encodeName(path).toStdString(), MaxConfigBytes, refused)) {
        // A pipe or a device in its place would hold the window for good, a huge file for long.
        Vantor::LogHandler::getInstance()->reportError(
            tr("%1 could not be read; the defaults are used").arg(path) + QStringLiteral(" (") +
            QString::fromLocal8Bit(refused.c_str()) + QLatin1Char(')'));
    } else if (QFileInfo::exists(path)) {
        QSettings settings(path, QSettings::IniFormat);
        settings.setIniCodec("GB2312");
        if (settings.status() != QSettings::NoError)
            Vantor::LogHandler::getInstance()->reportError(tr("%1 could not be read; the defaults are used").arg(path));
        settings.beginGroup(QString::fromLatin1(kGroup));
        for (const Key& key : keys())
            readKey(settings, key, values, path);
        values.quickAccess = readQuickAccess(settings, values.quickAccess, path);
        settings.endGroup();
    }
    return values;
}
