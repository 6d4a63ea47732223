#include "app/Language.h"

// Filled in with the language and translation set-up.
QString translationsPath() { return QString(); }
QMap<QString, QString> availableLanguages() { return {}; }
void setupLanguage() {}
void setLanguage(const QString&) {}
QImage osgImageToQImage(const osg::Image&) { return QImage(); }
