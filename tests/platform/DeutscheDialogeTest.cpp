#include "platform/QtUi.h"
#include "platform/Sprache.h"
#include "support/TestUtil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kb;

namespace {

QString ohneKuerzel(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// Runs `handeln` on the modal dialog of type T as soon as it shows.
template<typename T> void beimZeigen(std::function<void(T *)> handeln)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handeln] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            handeln(dialog);
        }
    });
    timer->start(0);
}

class DeutscheDialoge : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_kataloge = qtKatalogeLaden(uebersetzungsOrdner(QCoreApplication::applicationDirPath()));
    }
    std::vector<std::unique_ptr<QTranslator>> m_kataloge;
    QtUi m_ui;
};

} // namespace

TEST(Sprache, TheOpenDialogsExtensionComesFromASinglePatternFilter)
{
    struct Fall {
        const char *was;
        QString filter;
        QString endung;
    };
    const Fall faelle[] = {
        { "month texts", QStringLiteral("Textdateien(*.txt)"), QStringLiteral("txt") },
        { "blank before the pattern", QStringLiteral("Kalender (*.qvk)"), QStringLiteral("qvk") },
        { "first of several filters", QStringLiteral("Formulare (*.qvf);;Alle Dateien (*)"),
            QStringLiteral("qvf") },
        { "several patterns: none", QStringLiteral("Bilder (*.jpg *.bmp)"), QString() },
        { "any file: none", QStringLiteral("Alle Dateien (*)"), QString() },
        { "no filter: none", QString(), QString() },
        { "a wildcard in the extension: none", QStringLiteral("Tabellen (*.d?)"), QString() },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(standardEndung(f.filter), f.endung) << f.was;
}

TEST(Sprache, TheCatalogueBesideTheProgramStandsInForQtsOwn)
{
    const QString qtbase
        = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    ASSERT_TRUE(QFile::exists(qtbase)) << "qt6-translations-l10n is installed";
    test::TempDir programm;
    const QString beiseite = programm.path() + QStringLiteral("translations");
    QDir().mkpath(beiseite);
    ASSERT_TRUE(QFile::copy(qtbase, beiseite + QStringLiteral("/qtbase_de.qm")));

    const auto englisch = QCoreApplication::translate("QPlatformTheme", "&Yes");
    EXPECT_EQ(englisch, QStringLiteral("&Yes"));
    {
        const auto kataloge
            = qtKatalogeLaden({ programm.path() + QStringLiteral("fehlt"), beiseite });
        EXPECT_EQ(kataloge.size(), 1U);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    }
    // Gone with its translator; and nothing is loaded where no folder holds the catalogue.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    EXPECT_TRUE(qtKatalogeLaden({ programm.path() + QStringLiteral("fehlt") }).empty());
}

TEST_F(DeutscheDialoge, AQuestionsButtonsReadJaAndNein)
{
    QStringList knoepfe;
    beimZeigen<QMessageBox>([&](QMessageBox *box) {
        for (QAbstractButton *knopf : box->buttons())
            knoepfe.append(ohneKuerzel(knopf->text()));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(m_ui.question(QStringLiteral("Kalender wirklich löschen?")));
    knoepfe.sort();
    EXPECT_EQ(knoepfe, QStringList({ QStringLiteral("Ja"), QStringLiteral("Nein") }));
}

TEST_F(DeutscheDialoge, TheOpenDialogReadsOeffnenAndAddsTheFiltersExtension)
{
    test::TempDir dir;
    test::writeAll(dir.file(QStringLiteral("januar.txt")), "Schnee");
    test::writeAll(dir.file(QStringLiteral("januar")), "ohne Endung, nicht gemeint");
    QString oeffnen;
    QString abbrechen;
    beimZeigen<QFileDialog>([&](QFileDialog *dialog) {
        auto *knoepfe = dialog->findChild<QDialogButtonBox *>();
        ASSERT_TRUE(knoepfe);
        for (QAbstractButton *knopf : knoepfe->buttons()) {
            if (knoepfe->buttonRole(knopf) == QDialogButtonBox::AcceptRole)
                oeffnen = ohneKuerzel(knopf->text());
            else
                abbrechen = ohneKuerzel(knopf->text());
        }
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("januar"));
        knoepfe->button(QDialogButtonBox::Open)->click();
    });
    const QString gewaehlt = m_ui.openFileName(
        QStringLiteral("Monatstext laden"), dir.path(), QStringLiteral("Textdateien(*.txt)"));
    EXPECT_EQ(oeffnen, QStringLiteral("Öffnen"));
    EXPECT_EQ(abbrechen, QStringLiteral("Abbrechen"));
    EXPECT_EQ(gewaehlt, dir.file(QStringLiteral("januar.txt")));
}
