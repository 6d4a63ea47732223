#pragma once

#include <QString>

// Texts of the message that tells the user the program crashed. The message is shown by the
// separate program nerio-crash-message, since widgets cannot be used inside a signal handler.
QString crashMessageTitle();
// Rich text with the exception code and address (lower-case hexadecimal without prefix).
QString crashMessageText(const QString& code, const QString& address);
// The translation the message is shown in: the program's file of the language the program starts in
// (stored, else the system's) beside the program; empty for Chinese, the texts' own language, and when
// there is no such file.
QString crashMessageTranslation(const QString& programFolder);
