#include "StorageTestUtil.h"
#include "storage/FieldLink.h"
#include "storage/TableModel.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;

namespace {

const QString TEXT = QStringLiteral("Text");

class Views : public test::DayTableTest {
protected:
    void SetUp() override
    {
        m_table = createDays(5, QDate(2024, 1, 30));
        m_reader = openDays();
    }

    // What another cursor reads from the file.
    QString stored(int recNo)
    {
        m_reader->first();
        m_reader->setRecNo(recNo);
        return m_reader->asString(TEXT);
    }

    std::unique_ptr<Table> m_table, m_reader;
};

} // namespace

TEST_F(Views, ModelShowsTheRecordsAndKeepsCellEditsPendingUntilAMove)
{
    TableModel model(m_table.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setFields({ QStringLiteral("Datum"), TEXT, QStringLiteral("Alarm") });
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), TEXT);
    EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("01.02.2024"));
    EXPECT_EQ(model.index(2, 2).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    QSignalSpy currentRows(&model, &TableModel::currentRowChanged);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model.setData(model.index(3, 1), QStringLiteral("Notiz")));
    EXPECT_EQ(currentRows.size(), 1);
    EXPECT_EQ(model.currentRow(), 3);
    EXPECT_EQ(m_table->state(), Table::State::Edit);
    EXPECT_GE(changes.size(), 1);
    EXPECT_EQ(model.index(3, 1).data().toString(), QStringLiteral("Notiz"));
    EXPECT_EQ(stored(4), QStringLiteral("Tag 4"));

    ASSERT_TRUE(model.setData(model.index(0, 2), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(stored(4), QStringLiteral("Notiz")); // the move posted the pending text
    m_table->post();
    m_reader->first();
    EXPECT_TRUE(m_reader->asBool(QStringLiteral("Alarm")));

    // A bad value is reported, not thrown through the event loop.
    test::ScopedScriptedUi ui;
    EXPECT_FALSE(model.setData(model.index(1, 0), QStringLiteral("32.01.2024")));
    EXPECT_EQ(ui->messages(),
        QStringList { QStringLiteral("'32.01.2024' ist kein gültiges Datum für Feld 'Datum'") });

    m_table->setFilter(QStringLiteral("MonatNr='2'"));
    m_table->setFiltered(true);
    EXPECT_EQ(model.rowCount(), 3);
    m_table->close();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(Views, FieldLinksFollowTheCursorAndEachOther)
{
    QLineEdit line;
    QPlainTextEdit notes;
    QCheckBox alarm;
    QLabel date, picture;
    picture.resize(20, 20);
    new LineEditLink(m_table.get(), TEXT, &line);
    new TextEditLink(m_table.get(), QStringLiteral("Notizen"), &notes);
    new CheckBoxLink(m_table.get(), QStringLiteral("Alarm"), &alarm);
    new LabelLink(m_table.get(), QStringLiteral("Datum"), &date);
    new PictureLink(m_table.get(), QStringLiteral("SymbolBild"), &picture);
    TableModel model(m_table.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    EXPECT_EQ(line.text(), QStringLiteral("Tag 1"));
    EXPECT_EQ(date.text(), QStringLiteral("30.01.2024"));
    m_table->next();
    EXPECT_EQ(line.text(), QStringLiteral("Tag 2"));

    // Typing edits the record; the other views show the pending value at once.
    line.setFocus();
    line.selectAll();
    QTest::keyClicks(&line, QStringLiteral("Frei"));
    EXPECT_EQ(line.text(), QStringLiteral("Frei"));
    EXPECT_EQ(m_table->state(), Table::State::Edit);
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("Frei"));
    QTest::mouseClick(&alarm, Qt::LeftButton, {}, QPoint(2, alarm.height() / 2));
    EXPECT_TRUE(m_table->asBool(QStringLiteral("Alarm")));
    notes.setPlainText(QStringLiteral("Zeile 1\nZeile 2"));
    EXPECT_EQ(m_table->asString(QStringLiteral("Notizen")), QStringLiteral("Zeile 1\nZeile 2"));
    EXPECT_EQ(stored(2), QStringLiteral("Tag 2"));

    // Cancel brings every view back to the stored values.
    m_table->cancel();
    EXPECT_EQ(line.text(), QStringLiteral("Tag 2"));
    EXPECT_FALSE(alarm.isChecked());
    EXPECT_TRUE(notes.toPlainText().isEmpty());

    // A change through the model reaches the line edit; a move posts it.
    model.setData(model.index(1, 2), QStringLiteral("aus dem Gitter"));
    EXPECT_EQ(line.text(), QStringLiteral("aus dem Gitter"));
    QImage symbol(4, 4, QImage::Format_RGB32);
    symbol.fill(Qt::red);
    m_table->setImage(QStringLiteral("SymbolBild"), symbol);
    EXPECT_FALSE(picture.pixmap().isNull());
    m_table->next();
    EXPECT_TRUE(picture.pixmap().isNull());
    EXPECT_EQ(stored(2), QStringLiteral("aus dem Gitter"));

    // Without a record the controls are empty and disabled.
    m_table->setFilter(QStringLiteral("MonatNr='7'"));
    m_table->setFiltered(true);
    EXPECT_TRUE(line.text().isEmpty());
    EXPECT_FALSE(line.isEnabled());
}

TEST_F(Views, SuspendedViewsRefreshOnceOnResume)
{
    QLineEdit line;
    new LineEditLink(m_table.get(), TEXT, &line);
    TableModel model(m_table.get());
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    m_table->disableControls();
    for (m_table->first(); !m_table->eof(); m_table->next()) {
        m_table->setString(TEXT, QStringLiteral("neu"));
        m_table->post();
    }
    m_table->first();
    EXPECT_EQ(line.text(), QStringLiteral("Tag 1"));
    EXPECT_EQ(resets.size(), 0);
    m_table->enableControls();
    EXPECT_EQ(line.text(), QStringLiteral("neu"));
    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(model.index(4, 2).data().toString(), QStringLiteral("neu"));
}
