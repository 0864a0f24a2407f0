#pragma once

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// One sample as the export reads it; Null texts are "".
struct ClabSample {
    QString nrOgolny;
    QString nazTkanka;
    QString gatunek;
    QString plec;
    QString wynik;
    QString idProbki; // the stored sample code, or its three parts joined
};

// One fair-copy batch with its samples in table order; Null texts are "",
// Null dates invalid.
struct ClabBatch {
    QString partia;
    QString wni;
    QString kodPiw;
    QString platnik;
    QString pobral;
    QDate dataPobr;
    QDate dataDoLab;
    QDate dataZakBad;
    QList<ClabSample> samples;
};

// The client of a batch, from the client register; Null texts are "".
struct ClabClient {
    QString nazwa;
    QString miejscowosc;
    QString ulica;
    QString typWni;
};

// What the export reads: the chosen fair-copy batches of the month database
// in table order, the samples of each in table order, and the clients.
// Nothing is written.
class ClabStore
{
public:
    static inline const QString AllBatches = QStringLiteral("wszystkie");

    ClabStore(dao::Database month, dao::Database stale);

    // Opens the choice: "wszystkie" takes the batches whose test ended within
    // the period, a batch number that batch alone. A number that is no
    // whole number raises the engine's syntax error.
    void Open(const QString &batchChoice, const QDate &from, const QDate &to);
    // Opens the choice for the results check: the same batches, but of their
    // samples only those the central laboratory may refuse (no result, or a
    // result other than the two it takes) are read; the rest are only counted.
    void OpenForCheck(const QString &batchChoice, const QDate &from, const QDate &to);
    int BatchCount() const { return batches_.RecordCount(); }
    // The samples of the opened batches; a batch number the choice holds
    // twice counts its samples twice, as its batches are written twice.
    int SampleCount() const { return sampleCount_; }
    // The batch at a position of the choice, read with its samples.
    ClabBatch Batch(int index) const;
    // What the results check needs of that batch: its number, and of each
    // sample read (after OpenForCheck: those that may be refused) only the
    // name and the result (idProbki and wynik); the other texts stay empty.
    ClabBatch Results(int index) const;
    // Whether the choice holds samples of official batches (payer "Z") and
    // of service batches: the test types their export needs.
    struct PayerKinds {
        bool official = false;
        bool service = false;
    };
    PayerKinds KindsWithSamples() const;
    // The client of a WNI, read once per run; nothing when it is unknown.
    std::optional<ClabClient> Client(const QString &wni);

    // The laboratory's codes as the identity row holds them ("KodLok",
    // "KodLok2"); "" when there is no row.
    static QString LaboratoryCode(dao::Database stale, const QString &field);

private:
    QStringList openBatches(const QString &batchChoice, const QDate &from, const QDate &to);
    void groupSamples(const QString &source);

    dao::Database month_;
    dao::Database stale_;
    dao::Recordset batches_;
    dao::Recordset samples_;
    QHash<QString, QVector<int>> samplesOfBatch_;
    QHash<QString, std::optional<ClabClient>> clients_;
    int sampleCount_ = 0;
};
