#include "LanguageCheck.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace nerio_test {

namespace {

const QRegularExpression& pattern(const char* text)
{
    // Each call site passes a literal; the compiled forms are kept per literal.
    static QHash<const char*, QRegularExpression> compiled;
    auto it = compiled.find(text);
    if (it == compiled.end())
        it = compiled.insert(text, QRegularExpression(QString::fromUtf8(text)));
    return *it;
}

} // namespace

bool hasChinese(const QString& text)
{
    // CJK ideographs, CJK punctuation and the full-width forms (a "：" in an English text is a slip too).
    return text.contains(pattern("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
}

QString judgedPart(const QString& text, const QStringList& names)
{
    QString t = text;
    t.remove(pattern("<[^>]*>"));
    t.remove(pattern("&[a-zA-Z]+;"));
    // Longest first, so a name never loses a part to a shorter one inside it.
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& name : sorted)
        if (!name.isEmpty())
            t.replace(name, QStringLiteral(" "));
    t.remove(pattern("(?i)\\S*\\.(dazo|liteprt|note|log|png|jpg|bmk|pdf|animation|json|qm|ico|osg|exe)\\b"));
    t.remove(pattern("(?i)\\*\\.\\S+"));
    t.remove(pattern("(^|\\s)(/|\\./|~/)\\S*"));
    t.remove(pattern("\\b0x[0-9a-fA-F]+\\b"));
    t.remove(pattern("#[0-9a-fA-F]{3,8}\\b"));
    t.remove(pattern("%[0-9]+|%[a-zA-Z]"));
    t.remove(pattern("\\b(PMI[0-9]*|Nerio3d|NerioViewer|Dazo|OSG|OpenSceneGraph|Qt)\\b"));
    t.remove(pattern("\\b(mm|cm|m|deg|px|ms|fps)\\b"));
    t.remove(pattern("\\b(Ctrl|Shift|Alt|Enter|Esc|Tab|Del|F[0-9]{1,2})\\b"));
    // Scene-graph data-variance names, which the property panel shows untranslated.
    t.remove(pattern("\\b(DYNAMIC|STATIC|UNSPECIFIED)\\b"));
    return t;
}

bool inOtherLanguage(const QString& text, Language language, const QStringList& names)
{
    const QString t = judgedPart(text, names);
    if (language == Language::English)
        return hasChinese(t);
    return !hasChinese(t) && t.contains(pattern("[A-Za-z]{2,}"));
}

} // namespace nerio_test
