#include "widgets/CaptionPanel.h"
#include "widgets/GradientPanel.h"
#include "widgets/NavigationBar.h"
#include "widgets/OvalButton.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kb::widgets;

namespace {

TEST(NavigationBar, OneGroupOpenItemsTriggerTheirActions)
{
    NavigationBar bar;
    bar.resize(123, 600);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    bar.setFont(font);
    const int kalender = bar.addGroup(QStringLiteral("Kalender"));
    const int organizer = bar.addGroup(QStringLiteral("Organizer/Bilder/Texte"));
    const int drucken = bar.addGroup(QStringLiteral("Kronoblatt drucken"));
    const int stamm = bar.addGroup(QStringLiteral("Stammdaten"));
    QAction neu(QStringLiteral("Neu...."));
    QAction seite(QStringLiteral("1 Seite 12 Spalten"));
    QAction aus(QStringLiteral("Öffnen"));
    aus.setEnabled(false);
    bar.addItem(kalender, &neu);
    bar.addItem(drucken, &seite);
    bar.addItem(stamm, &aus);
    bar.show();

    EXPECT_EQ(bar.currentGroup(), kalender);
    // Items keep a trailing "..." and the bar's font.
    EXPECT_EQ(
        QFontInfo(bar.itemButton(kalender, 0)->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(bar.groupButton(organizer)->text(), QStringLiteral("Organizer/Bilder/Texte"));
    EXPECT_EQ(bar.itemButton(kalender, 0)->text(), QStringLiteral("Neu...."));
    EXPECT_EQ(bar.groupTitle(drucken), QStringLiteral("Kronoblatt drucken"));
    EXPECT_TRUE(bar.itemButton(kalender, 0)->isVisible());
    EXPECT_FALSE(bar.itemButton(drucken, 0)->isVisible());
    // The headers of the later groups sit at the bottom, below the open group's items.
    EXPECT_GT(bar.groupButton(drucken)->y(), bar.itemButton(kalender, 0)->y());
    EXPECT_GE(bar.groupButton(stamm)->geometry().bottom(), bar.height() - 2);

    QSignalSpy changed(&bar, &NavigationBar::currentGroupChanged);
    QTest::mouseClick(bar.groupButton(drucken), Qt::LeftButton);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.front().front().toInt(), drucken);
    EXPECT_TRUE(bar.itemButton(drucken, 0)->isVisible());
    EXPECT_FALSE(bar.itemButton(kalender, 0)->isVisible());
    // Opening the open group again is no change.
    bar.setCurrentGroup(drucken);
    EXPECT_EQ(changed.size(), 1);

    QSignalSpy triggered(&seite, &QAction::triggered);
    QTest::mouseClick(bar.itemButton(drucken, 0), Qt::LeftButton);
    EXPECT_EQ(triggered.size(), 1);

    // A disabled action shows as a disabled item and cannot be triggered from the bar.
    bar.setCurrentGroup(stamm);
    EXPECT_FALSE(bar.itemButton(stamm, 0)->isEnabled());
    aus.setEnabled(true);
    EXPECT_TRUE(bar.itemButton(stamm, 0)->isEnabled());
    EXPECT_EQ(bar.items(stamm), QList<QAction *> { &aus });
}

TEST(CaptionPanel, CloseButtonHidesThePanel)
{
    CaptionPanel panel(QStringLiteral("  Kalender"));
    panel.resize(400, 300);
    panel.show();
    EXPECT_EQ(panel.caption(), QStringLiteral("  Kalender"));
    panel.setCaption(QStringLiteral("Kalender angelegt für das Jahr 2024"));
    EXPECT_EQ(panel.caption(), QStringLiteral("Kalender angelegt für das Jahr 2024"));
    // The content area fills the panel below the caption bar.
    EXPECT_GT(panel.content()->height(), 250);

    QSignalSpy closed(&panel, &CaptionPanel::closed);
    QTest::mouseClick(panel.closeButton(), Qt::LeftButton);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(panel.isVisible());
}

TEST(GradientPanel, PaintsTopColourAtTheTopAndBottomColourAtTheBottom)
{
    GradientPanel panel;
    panel.setGradient(Qt::blue, Qt::black, 64);
    panel.resize(70, 640);
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(35, 0)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(35, 639)), QColor(Qt::black));
    // Ten rows per step: rows 0..9 share one colour, row 10 starts the next.
    EXPECT_EQ(image.pixel(0, 9), image.pixel(69, 0));
    EXPECT_NE(image.pixel(0, 10), image.pixel(0, 9));
}

TEST(OvalButton, ClicksCountInsideTheOvalOnly)
{
    OvalButton button(QStringLiteral("speichern"));
    button.resize(button.sizeHint());
    button.show();
    EXPECT_GT(button.width(), button.height());
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(clicked.size(), 1);
    // The corner lies outside the round end.
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicked.size(), 1);
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(clicked.size(), 1);
}

} // namespace
