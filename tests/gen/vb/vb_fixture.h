#pragma once

#include "gen/generator_input.h"
#include "gen/vb/vb_module_generator.h"

#include <QStringList>

#include <memory>

// One column as the dictionary gives it.
struct ColumnSpec {
    QString name;
    QString type;
    QString size;
};

// A candidate list with its flags and settings, ready to hand to the module generator.
// Tables are added in candidate order; argument tables are named by index.
class VbFixture {
public:
    VbFixture();

    // Adds a candidate table and returns its index.
    qsizetype addTable(const QString& name, const QList<ColumnSpec>& columns, bool isPublic,
                       bool isArray = false);
    // Marks the given candidates as argument tables of table.
    void setArguments(qsizetype table, const QList<qsizetype>& argumentTables);

    TCandidateList candidates;
    PlainTableFlags flags;
    TPackParameters settings;
    VbOptions options;
    std::unique_ptr<Clock> clock;

    GeneratorInput input() const;
    // The whole module; fails the calling test through an exception when nothing came out.
    QStringList module() const;
    // The calling function of one table alone.
    QStringList function(qsizetype table, const QString& name = "Call_Package") const;
};

// The lines of the first run of lines from the one equal to first through the one equal to
// last (both included); empty when first is missing.
QStringList section(const QStringList& lines, const QString& first, const QString& last);

// The functions of a module, each from "Public Function" through "End Function".
QList<QStringList> functions(const QStringList& module);
