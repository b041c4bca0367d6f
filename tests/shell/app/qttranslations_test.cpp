#include "shell/app/qttranslations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

// Qt's own dialogs (printing, files) and standard buttons must not be the
// only English in a French program: the catalogue is installed and found.
TEST(QtFrench, qtsOwnButtonsAndPrintDialogSpeakFrench)
{
    QTranslator translator;
    ASSERT_TRUE(LoadQtFrench(translator)) << "qt6-translations-l10n missing";
    QCoreApplication::installTranslator(&translator);
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
        EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Oui"));
        EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Imprimer"));
    }
    QCoreApplication::removeTranslator(&translator);
}
