#include "platform/db/dao.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/RecordsetModel.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <random>
#include <set>

using ui::DataControl;
using ui::DBGrid;
using ui::RecordsetModel;

namespace
{

const QList<RecordsetModel::Column> BatchColumns = {
    {"Partia", "Partia", 60},
    {"WNI", "WNI", 0},
    {"Data uboju", "DataUboju", 0},
    {"Wiek (m-c)", "Wiek", 0}, // a field that the table lacks
};

// Remembers which rows the grid asked for.
class CountingModel : public RecordsetModel
{
public:
    using RecordsetModel::RecordsetModel;
    mutable std::set<int> rowsRead;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            rowsRead.insert(index.row());
        return RecordsetModel::data(index, role);
    }
};

QString Cell(const DBGrid &grid, int row, int column)
{
    return grid.model()->index(row, column).data().toString();
}

// Every model a grid is given keeps the rules of an item model through every
// change the test makes; a broken rule fails the test.
void Watch(const DBGrid &grid)
{
    QAbstractItemModel *model = grid.model();
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                 model);
}

} // namespace

class TestDataGrid : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    dao::Database db;
    int files = 0;
    DataControl *data = nullptr;
    DBGrid *grid = nullptr;

    // Batches 1..count in a grid; batch 2 has no slaughter date.
    dao::Recordset Bind(int count, RecordsetModel *model = nullptr)
    {
        dao::Recordset rs = db.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
        dao::Transaction transaction(db);
        for (int i = 1; i <= count; ++i) {
            rs.AddNew();
            rs("Partia") = i;
            rs("WNI") = QStringLiteral("PL%1").arg(i, 4, 10, QLatin1Char('0'));
            if (i != 2)
                rs("DataUboju") = QDate(2024, 3, 1).addDays(i);
            rs.Update();
        }
        transaction.Commit();
        rs.Requery();
        // A model of the test's own counts what is read: the rule checker,
        // which reads rows itself, watches the grid's own models.
        if (model) {
            grid->Bind(model);
        } else {
            grid->Bind(data, BatchColumns);
            Watch(*grid);
        }
        data->setRecordset(rs);
        grid->resize(400, 200);
        grid->show();
        return rs;
    }

    int Current(const dao::Recordset &rs) { return rs("Partia").Value().toInt(); }

    void Click(int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void init()
    {
        db = dao::DBEngine::Workspaces(0).CreateDatabase(
            dir.filePath(QStringLiteral("Mervask%1.mdb").arg(++files)));
        dao::TableDef td = db.CreateTableDef("Partia");
        td.Fields().Append(td.CreateField("Partia", dao::dbLong));
        td.Fields().Append(td.CreateField("WNI", dao::dbText, 14));
        td.Fields().Append(td.CreateField("DataUboju", dao::dbDate));
        db.TableDefs().Append(td);
        data = new DataControl;
        grid = new DBGrid;
    }

    void cleanup()
    {
        delete grid;
        delete data;
        db.Close();
    }

    void gridAndRecordsetFollowEachOther()
    {
        dao::Recordset rs = Bind(5);
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        QCOMPARE(grid->currentIndex().row(), 0);
        rs.FindFirst("Partia = 3");
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(grid->Bookmark(), rs.Bookmark());

        Click(3);
        QCOMPARE(Current(rs), 4);
        QCOMPARE(grid->Row(), 3);
        // A disabled grid (the window's edit state) does not move it.
        grid->setEnabled(false);
        Click(0);
        QCOMPARE(Current(rs), 4);

        // Past the end there is no current row.
        rs.MoveLast();
        rs.MoveNext();
        QVERIFY(!grid->currentIndex().isValid());
        QCOMPARE(grid->Row(), -1);
    }

    void columnsAreAsWideAsTheirHeadingsAndTexts()
    {
        const QList<RecordsetModel::Column> columns = {
            {"Numer partii w rejestrze", "Partia", 10}, // narrower than its heading
            {"WNI", "WNI", 0},
            {"Data uboju", "DataUboju", 0}};
        const QString longName = QStringLiteral("WWWWWWWWWWWWWW");
        grid->Bind(data, columns);
        Watch(*grid);
        grid->resize(900, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        const QHeaderView *header = grid->horizontalHeader();
        const int firstWidth = header->sectionSize(1);
        QVERIFY(header->sectionSize(0) >=
                QFontMetrics(header->font()).horizontalAdvance(columns.at(0).header));

        // Rows read later widen the column the window left open.
        dao::Recordset rs = db.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
        rs.AddNew();
        rs("Partia") = 1;
        rs("WNI") = longName;
        rs.Update();
        rs.Requery();
        data->setRecordset(rs);
        QCOMPARE(Cell(*grid, 0, 1), longName);
        // Measured once the program is back in its event loop, as the user sees it.
        QTRY_VERIFY(header->sectionSize(1) > firstWidth);
        QVERIFY(header->sectionSize(1) >= grid->fontMetrics().horizontalAdvance(longName));
        // The last column takes the rest of the grid: no empty strip beside it.
        QCOMPARE(header->sectionViewportPosition(2) + header->sectionSize(2),
                 grid->viewport()->width());

        // A larger font, as a desktop may set it, keeps the headings whole.
        QFont larger = grid->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        grid->setFont(larger);
        QVERIFY(header->sectionSize(0) >=
                QFontMetrics(header->font()).horizontalAdvance(columns.at(0).header));
    }

    void widthsComeFromTheFirstRowsShownOrNot()
    {
        // Sixty batches in a grid that shows a few: the texts of the first
        // thirty rows set a column's width whether they are shown or not;
        // those further down leave it.
        const QString belowShown = QStringLiteral("MMMMMMMMMM");
        const QString farDown = QStringLiteral("WWWWWWWWWWWWWW");
        dao::Recordset rs = db.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
        dao::Transaction transaction(db);
        for (int i = 1; i <= 60; ++i) {
            rs.AddNew();
            rs("Partia") = i;
            rs("WNI") = i == 21 ? belowShown : i == 46 ? farDown : QStringLiteral("PL%1").arg(i);
            rs.Update();
        }
        transaction.Commit();
        rs.Requery();
        grid->Bind(data, BatchColumns);
        Watch(*grid);
        data->setRecordset(rs);
        grid->resize(400, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        QCoreApplication::processEvents();
        QVERIFY(grid->rowAt(grid->viewport()->height() - 1) < 20);
        // The cell's margins and its grid line, and the whole width of the
        // laid-out text.
        const int margin =
            2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
        const auto shownWhole = [&] {
            return int(std::ceil(QFontMetricsF(grid->font()).horizontalAdvance(belowShown))) +
                   margin;
        };
        QCOMPARE(grid->columnWidth(1), shownWhole());

        // The same list read again, and then in a larger font: each text is
        // measured in the font it is shown in.
        rs.Requery();
        data->setRecordset(rs);
        QCoreApplication::processEvents();
        QCOMPARE(grid->columnWidth(1), shownWhole());
        QFont larger = grid->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        grid->setFont(larger);
        QCOMPARE(grid->columnWidth(1), shownWhole());
    }

    void headingsKeepTheirHeightAsTheGridIsLaidOut()
    {
        Bind(3);
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        QHeaderView *header = grid->horizontalHeader();
        const int oneLine = header->height();
        // Laid out again and again (the last column stretched each time), the
        // headings stay as tall as they are.
        for (int width : {500, 300, 420}) {
            grid->resize(width, 200);
            QCoreApplication::processEvents();
            QCOMPARE(header->height(), oneLine);
        }
        // Headings of two lines, or in a larger font, make the header taller.
        grid->Bind(data, {{"Partia", "Partia", 60}, {"Data\nuboju", "DataUboju", 0}});
        Watch(*grid);
        QCoreApplication::processEvents();
        const int twoLines = header->height();
        QVERIFY(twoLines > oneLine);
        QFont larger = grid->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        grid->setFont(larger);
        QCoreApplication::processEvents();
        QVERIFY(header->height() > twoLines);
    }

    void cellsShowTheFieldsValues()
    {
        Bind(3);
        QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("Data uboju"));
        QCOMPARE(Cell(*grid, 0, 1), QStringLiteral("PL0001"));
        QCOMPARE(Cell(*grid, 0, 2), QStringLiteral("02.03.2024"));
        QCOMPARE(Cell(*grid, 1, 2), QString()); // Null
        QCOMPARE(Cell(*grid, 0, 3), QString()); // no such field
        QCOMPARE(RecordsetModel::DisplayText(36.6f), QStringLiteral("36,6"));
    }

    void onlyShownRowsAreRead()
    {
        auto *model = new CountingModel(data, BatchColumns);
        dao::Recordset rs = Bind(2000, model);
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        grid->grab();
        QVERIFY(!model->rowsRead.empty() && *model->rowsRead.rbegin() < 50);
        model->rowsRead.clear();
        rs.MoveLast();
        grid->grab();
        QVERIFY(model->rowsRead.count(1999) && *model->rowsRead.begin() > 1900);
    }

    void rowsAddedDeletedChangedAndRefreshed()
    {
        dao::Recordset rs = Bind(3);
        rs.AddNew();
        rs("Partia") = 4;
        rs.Update();
        QCOMPARE(grid->model()->rowCount(), 4);
        rs.setBookmark(rs.LastModified());
        QCOMPARE(grid->currentIndex().row(), 3);

        rs.MoveFirst();
        rs.Delete();
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(Cell(*grid, 0, 0), QStringLiteral("2"));

        // Another recordset on the file writes: the grid shows the new values,
        // and the new row once the control is refreshed.
        dao::Recordset other = db.OpenRecordset("Partia");
        other.FindFirst("Partia = 3");
        other.Edit();
        other("WNI") = QStringLiteral("ZMIANA");
        other.Update();
        other.AddNew();
        other("Partia") = 0;
        other.Update();
        QCOMPARE(Cell(*grid, 1, 1), QStringLiteral("ZMIANA"));
        QCOMPARE(grid->model()->rowCount(), 3);
        rs.MoveLast();
        data->Refresh();
        QCOMPARE(grid->model()->rowCount(), 4);
        QCOMPARE(Current(rs), 0);
        QCOMPARE(grid->currentIndex().row(), 0);

        rs.Close();
        QCOMPARE(grid->model()->rowCount(), 0);
        QCOMPARE(grid->Row(), -1);
    }

    void replacingTheRecordset()
    {
        dao::Recordset all = Bind(4);
        grid->SelBookmarks().Add(all.Bookmark());
        data->setRecordset(
            db.OpenRecordset("SELECT * FROM Partia WHERE Partia > 2 ORDER BY Partia DESC"));
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(Cell(*grid, 0, 0), QStringLiteral("4"));
        QCOMPARE(grid->SelBookmarks().Count(), 0);
        // The recordset bound before stays open and no longer moves the grid.
        all.MoveLast();
        QCOMPARE(grid->currentIndex().row(), 0);
        // The data control may go before its grid.
        delete data;
        data = nullptr;
        QCOMPARE(grid->model()->rowCount(), 0);
        grid->grab();
    }

    void randomEditsKeepTheGridWithItsRecordset()
    {
        // Rows added, corrected, deleted and moved to in a random order, the
        // list read again, refreshed or replaced: the grid shows the
        // recordset's rows and its current row after every step.
        for (unsigned seed : {1u, 7u, 42u}) {
            std::mt19937 random(seed);
            dao::Recordset rs = Bind(6);
            int next = 7;
            for (int step = 0; step < 120; ++step) {
                const auto context = QStringLiteral("seed %1, step %2").arg(seed).arg(step);
                const bool current = !rs.BOF() && !rs.EOF();
                switch (random() % 8) {
                case 0:
                    rs.AddNew();
                    rs("Partia") = next;
                    rs("WNI") = QStringLiteral("N%1").arg(next++);
                    rs.Update();
                    rs.setBookmark(rs.LastModified());
                    break;
                case 1:
                    if (current && rs.RecordCount() > 1) {
                        rs.Delete();
                        rs.MoveNext();
                        if (rs.EOF() && rs.RecordCount() > 0)
                            rs.MoveLast();
                    }
                    break;
                case 2:
                    if (current) {
                        rs.Edit();
                        rs("WNI") = QStringLiteral("E%1").arg(step);
                        rs.Update();
                    }
                    break;
                case 3:
                    rs.MoveFirst();
                    break;
                case 4:
                    rs.MoveLast();
                    break;
                case 5:
                    if (rs.RecordCount() > 0)
                        rs.setAbsolutePosition(int(random() % unsigned(rs.RecordCount())));
                    break;
                case 6:
                    data->Refresh();
                    break;
                default:
                    rs = db.OpenRecordset(random() % 2 ? "SELECT * FROM Partia ORDER BY Partia"
                                                       : "SELECT * FROM Partia ORDER BY WNI DESC");
                    data->setRecordset(rs);
                }
                const QAbstractItemModel *model = grid->model();
                QVERIFY2(model->rowCount() == rs.RecordCount(), qPrintable(context));
                const int row = rs.AbsolutePosition();
                QVERIFY2(grid->currentIndex().row() == row, qPrintable(context));
                if (row >= 0) {
                    QVERIFY2(Cell(*grid, row, 0) == rs("Partia").Value().toString() &&
                                 Cell(*grid, row, 1) == rs("WNI").Value().toString(),
                             qPrintable(context));
                    QVERIFY2(model->headerData(row, Qt::Vertical).toString() == QStringLiteral("▶"),
                             qPrintable(context));
                }
            }
            rs.Close();
            cleanup();
            init();
        }
    }

    void navigationBar()
    {
        dao::Recordset rs = Bind(3);
        data->setCaption("PARTIA");
        QCOMPARE(data->findChild<QLabel *>("Caption")->text(), QStringLiteral("PARTIA"));
        const QList<std::pair<const char *, int>> steps = {
            {"Next", 2}, {"Last", 3}, {"Next", 3}, {"First", 1}, {"Previous", 1}};
        for (const auto &[name, batch] : steps) {
            data->findChild<QToolButton *>(name)->click();
            QCOMPARE(Current(rs), batch);
        }
        data->setEnabled(false);
        QVERIFY(!data->findChild<QToolButton *>("Next")->isEnabled());

        data->setRecordset(db.OpenRecordset("SELECT * FROM Partia WHERE Partia > 100"));
        for (const char *name : {"First", "Previous", "Next", "Last"})
            data->findChild<QToolButton *>(name)->click();
        QCOMPARE(data->CurrentPosition(), -1);
    }

    void selBookmarksMarkRows()
    {
        dao::Recordset rs = Bind(4);
        QItemSelectionModel *selection = grid->selectionModel();
        // Keep exactly the current row marked, as the register does on a row change.
        const auto marking = connect(grid, &DBGrid::RowColChange, grid, [this] {
            if (grid->Row() < 0)
                return;
            if (grid->SelBookmarks().Count() > 0)
                grid->SelBookmarks().Remove(0);
            grid->SelBookmarks().Add(grid->Bookmark());
        });
        rs.MoveNext();
        QVERIFY(selection->isRowSelected(1, {}));
        rs.FindFirst("Partia = 4");
        QVERIFY(selection->isRowSelected(3, {}) && !selection->isRowSelected(1, {}));
        QCOMPARE(grid->SelBookmarks().Item(0), rs.Bookmark());
        // The mark goes with its row.
        disconnect(marking);
        rs.MoveFirst();
        rs.Delete();
        QVERIFY(selection->isRowSelected(2, {}) && !selection->isRowSelected(0, {}));
        try {
            grid->SelBookmarks().Item(5);
            QFAIL("item 5 must not exist");
        } catch (const dao::Error &error) {
            QCOMPARE(error.Number(), dao::err::ItemNotFound);
        }
    }

    void captionAndDoubleClick()
    {
        dao::Recordset rs = Bind(2);
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        const int plainHeader = grid->horizontalHeader()->height();
        grid->setCaption("POZYCJE NASTAWIENIA NR: 1");
        auto *caption = grid->findChild<QLabel *>("Caption");
        QVERIFY(caption->isVisible());
        QVERIFY(grid->horizontalHeader()->height() > plainHeader);
        QVERIFY(caption->geometry().bottom() < grid->horizontalHeader()->geometry().bottom());

        int doubleClicks = 0;
        connect(grid, &DBGrid::DblClick, grid, [&doubleClicks] { ++doubleClicks; });
        const QRect cell = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(Current(rs), 2);
    }
};

QTEST_MAIN(TestDataGrid)
#include "tst_DataGrid.moc"
