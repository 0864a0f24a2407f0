// Saves samples into a month database as a second workstation would, through
// the sample save with its proposals:
//   sample_saver <month file> <batch> <dd.mm.yyyy> <count>
// Prints how often a save was refused because another workstation took the
// proposed number meanwhile, and how often the lock was busy.
#include "platform/db/dao.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleStore.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(args.at(1));
    const BatchNumber batch = args.at(2).toLongLong();
    const QDate delivery = dao::ParseDateText(args.at(3)).value_or(QDate());
    const int count = args.at(4).toInt();
    dao::Recordset rs = db.OpenRecordset(SampleStore::BatchSource(batch));
    int refused = 0;
    int busy = 0;
    for (int saved = 0; saved < count;) {
        try {
            // What "&Dodaj" proposes, then "&Zapisz".
            SampleFrameValues v;
            v.carcass = QString::number(SampleNumbering::NextCarcass(db, batch));
            v.tray = QStringLiteral("1");
            v.codeWni = QStringLiteral("14650301");
            v.codeNumber = v.carcass.rightJustified(3, QLatin1Char('0'));
            v.codeDate = QStringLiteral("04032024");
            v.tissue = QStringLiteral("filary przepony");
            v.species = QStringLiteral("Świnie");
            v.sex = QStringLiteral("Tucznik");
            v.daily = SampleNumbering::ProposalText(SampleNumbering::NextDaily(db, delivery));
            v.general = SampleNumbering::ProposalText(SampleNumbering::NextGeneral(db));
            const auto result = SampleStore::Save(rs, v, std::nullopt, {batch, delivery});
            if (std::holds_alternative<Refusal>(result))
                ++refused;
            else
                ++saved;
        } catch (const dao::Error &e) {
            if (e.Number() != dao::err::Locked) {
                std::cerr << e.what() << std::endl;
                return 1;
            }
            ++busy;
        }
    }
    std::cout << "refused " << refused << " busy " << busy << std::endl;
    return 0;
}
