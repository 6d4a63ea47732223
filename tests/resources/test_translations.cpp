// The .ts files hold a finished translation, in both languages, of every text the sources mark for
// translation. lupdate refreshes copies of the files from the sources first, so a text added to the code
// without a translation shows here as unfinished.

#include "support/LanguageCheck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using nerio_test::Language;

namespace {

const char* const kTopics[] = {"nerioviewer", "ribbon", "annotations"};

struct LanguageCode
{
    const char* code;
    Language language;
};
const LanguageCode kLanguages[] = {{"zh", Language::Chinese}, {"en", Language::English}};

// Texts that no interface shows: the object name of the ribbon's split buttons.
const QStringList kNotShown{QStringLiteral("MenuButtonPopup")};

struct Message
{
    QString context;
    QString source;
    QString comment; // tells apart two uses of one source text
    QString translation;
    QString type; // "", "unfinished", "vanished", "obsolete"
    QString file;
};

QList<Message> readTs(const QString& path)
{
    QList<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Message();
            current.context = context;
            current.file = QFileInfo(path).fileName();
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            current.comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            // A plural message holds its forms as child elements.
            current.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            out << current;
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return out;
}

bool current(const Message& m)
{
    return m.type != QLatin1String("vanished") && m.type != QLatin1String("obsolete");
}

std::string where(const Message& m)
{
    return (m.file + QStringLiteral(": [") + m.context + QStringLiteral("] \"") + m.source + QStringLiteral("\" -> \"")
            + m.translation + QStringLiteral("\""))
        .toStdString();
}

// The committed files, refreshed from today's sources in a scratch folder (the committed ones stay as
// they are). Keyed by language code.
class TranslationFiles : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_messages = new QMap<QString, QList<Message>>;
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(s_dir->isValid());
        const QString committed = QStringLiteral(NERIO_SOURCE_DIR "/resources/translations/");
        for (const char* topic : kTopics) {
            QStringList ts;
            for (const LanguageCode& l : kLanguages) {
                const QString name = QStringLiteral("%1_%2.ts").arg(QLatin1String(topic), QLatin1String(l.code));
                ASSERT_TRUE(QFile::copy(committed + name, s_dir->filePath(name))) << name.toStdString();
                ts << s_dir->filePath(name);
            }
            QProcess lupdate;
            lupdate.setWorkingDirectory(QStringLiteral(NERIO_SOURCE_DIR));
            lupdate.start(QStringLiteral(NERIO_LUPDATE),
                          QStringList{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                                      QStringLiteral("-no-ui-lines"),
                                      QStringLiteral("@" NERIO_TRANSLATION_LISTS "/%1.lst").arg(QLatin1String(topic)),
                                      QStringLiteral("-ts")}
                              + ts);
            ASSERT_TRUE(lupdate.waitForFinished(60000));
            ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
            for (const LanguageCode& l : kLanguages)
                (*s_messages)[QLatin1String(l.code)]
                    += readTs(s_dir->filePath(QStringLiteral("%1_%2.ts").arg(QLatin1String(topic), QLatin1String(l.code))));
        }
    }
    static void TearDownTestSuite()
    {
        delete s_messages;
        delete s_dir;
    }

    static QMap<QString, QList<Message>>* s_messages;
    static QTemporaryDir* s_dir;
};

QMap<QString, QList<Message>>* TranslationFiles::s_messages = nullptr;
QTemporaryDir* TranslationFiles::s_dir = nullptr;

} // namespace

TEST_F(TranslationFiles, EveryTextOfTheSourcesHasBothTranslations)
{
    int texts = 0;
    for (const LanguageCode& l : kLanguages) {
        const QList<Message>& messages = (*s_messages)[QLatin1String(l.code)];
        ASSERT_FALSE(messages.isEmpty()) << l.code;
        for (const Message& m : messages) {
            if (!current(m))
                continue;
            ++texts;
            EXPECT_TRUE(m.type.isEmpty() && !m.translation.isEmpty())
                << "untranslated (run the nerio_update_translations target, then translate): " << where(m);
        }
    }
    EXPECT_GT(texts, 0);
}

TEST_F(TranslationFiles, EachLanguageReadsInItsOwnScript)
{
    for (const LanguageCode& l : kLanguages) {
        for (const Message& m : (*s_messages)[QLatin1String(l.code)]) {
            if (!current(m) || m.translation.isEmpty() || kNotShown.contains(m.source))
                continue;
            EXPECT_FALSE(nerio_test::inOtherLanguage(m.translation, l.language))
                << "in the other language: " << where(m);
        }
    }
}

TEST_F(TranslationFiles, ATextInTwoTopicsHasOneTranslation)
{
    // lrelease keeps the first of two and drops the other without a word.
    for (const LanguageCode& l : kLanguages) {
        QMap<QStringList, Message> seen;
        for (const Message& m : (*s_messages)[QLatin1String(l.code)]) {
            if (!current(m) || !m.type.isEmpty())
                continue; // the first case reports the unfinished ones
            const QStringList key{m.context, m.source, m.comment};
            auto it = seen.find(key);
            if (it == seen.end())
                seen.insert(key, m);
            else
                EXPECT_TRUE(it->translation == m.translation) << where(*it) << "\n" << where(m);
        }
    }
}
