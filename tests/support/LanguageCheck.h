#pragma once

#include <QString>
#include <QStringList>

namespace nerio_test {

enum class Language { Chinese, English };

// Whether a visible text is in the other language than the interface's: in the Chinese interface a text
// with a Latin word (two letters or more) and no Chinese character, in the English one any Chinese
// character or full-width sign. Not counted: markup, file names and paths, hexadecimal numbers, format
// markers, units, the words every interface shows as they are (product names, "PMI" and its entries, key
// names, the data-variance names that stay untranslated), and `names` (part names from the model).
bool inOtherLanguage(const QString& text, Language language, const QStringList& names = {});

// The text with everything above taken out, as it is judged.
QString judgedPart(const QString& text, const QStringList& names = {});

bool hasChinese(const QString& text);

} // namespace nerio_test
