#include "shell/optionspage.h"

#include "shell/generaloptions.h"

OptionsPage::OptionsPage(const GeneralOptions &general, QWidget *parent) : QWidget(parent), m_general(general) {}

bool OptionsPage::tooltipsOn() const { return m_general.DisplayTooltipsInDialogs == 1; }
