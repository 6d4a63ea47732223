// Replays every seed and every input that once crashed a fuzz target through the reader entries
// the targets use. A reader that crashes or hangs on one of them fails this program.

#include "FuzzEntries.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

const QString FuzzDir = QStringLiteral(NERIO_SOURCE_DIR "/fuzz");

QStringList filesIn(const QString& folder)
{
    QStringList out;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        out << folder + "/" + name;
    return out;
}

} // namespace

TEST(FuzzReplay, EveryFolderNamesATarget)
{
    for (const char* kind : {"corpus", "regressions"}) {
        for (const QString& name : QDir(FuzzDir + "/" + kind).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            EXPECT_NE(NerioFuzz::findTarget(name.toStdString()), nullptr) << kind << "/" << name.toStdString();
    }
}

TEST(FuzzReplay, SeedsAndSavedCrashInputsReadWithoutFault)
{
    NerioFuzz::initialise();
    for (const NerioFuzz::Target& target : NerioFuzz::targets()) {
        const QStringList seeds = filesIn(FuzzDir + "/corpus/" + target.name);
        EXPECT_FALSE(seeds.isEmpty()) << "no seeds for " << target.name;
        for (const QString& file : seeds + filesIn(FuzzDir + "/regressions/" + target.name)) {
            SCOPED_TRACE(file.toStdString());
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            target.run(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
        }
    }
}
