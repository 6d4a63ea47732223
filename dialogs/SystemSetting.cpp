#include "dialogs/SystemSetting.h"

SystemSetting::SystemSetting(QWidget* parent) : QDialog(parent) {}
void SystemSetting::readConfig() {}
void SystemSetting::setQuickAccessChanged() {}
