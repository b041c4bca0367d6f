#include "shell/options/optionspage.h"

#include "shell/common/generaloptions.h"

OptionsPage::OptionsPage(const GeneralOptions &general, QWidget *parent) : QWidget(parent), m_general(general) {}

bool OptionsPage::tooltipsOn() const { return m_general.DisplayTooltipsInDialogs == 1; }
