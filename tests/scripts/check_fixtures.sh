#!/usr/bin/env bash
# Runs scripts/check-row-writes and scripts/check-windows on tiny trees, one
# case each, and fails when a check passes a tree it must refuse or refuses a
# sound one.
set -euo pipefail
scripts="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# case <check> <expected: pass|fail> <name>; the tree is read from stdin as
# "=== path" headers, each followed by the file's lines.
case_() {
  local check="$1" expected="$2" name="$3" tree="$work/$3" path="" line
  mkdir -p "$tree"
  while IFS= read -r line; do
    if [[ "$line" == "=== "* ]]; then
      path="$tree/${line#=== }"
      mkdir -p "$(dirname "$path")"
      : >"$path"
    else
      printf '%s\n' "$line" >>"$path"
    fi
  done
  if "$scripts/$check" "$tree" >"$tree.out" 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$expected" ]; then
    echo "FAIL $check $name: expected $expected, got $got" >&2
    sed 's/^/  /' "$tree.out" >&2
    failures=$((failures + 1))
  else
    echo "ok   $check $name ($got) $(head -1 "$tree.out")"
  fi
}

# ------------------------------------------------------------ check-row-writes

case_ check-row-writes pass correctionThroughTheEntryPoint <<'TREE'
=== src/digestion/RunStore.cpp
Bookmark RunStore::SaveTray(dao::Database db, const std::optional<LoadedRow> &loadedTray)
{
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    dao::Recordset trays = db.OpenRecordset(QStringLiteral("SELECT * FROM PozycjaN"));
    if (loadedTray)
        HoldAsLoaded(trays, *loadedTray);
    const dao::Bookmark written = WriteLoadedRow(trays, loadedTray, fill);
    transaction.Commit();
    return written;
}
TREE

# The tray written over by its bookmark alone, as without a held row.
case_ check-row-writes fail trayWrittenByBookmark <<'TREE'
=== src/digestion/RunStore.cpp
Bookmark RunStore::SaveTray(dao::Database db, const std::optional<LoadedRow> &loadedTray)
{
    dao::Recordset trays = db.OpenRecordset(QStringLiteral("SELECT * FROM PozycjaN"));
    trays.setBookmark(loadedTray->Bookmark());
    trays.Edit();
    StoreRow(trays, fill);
    return loadedTray->Bookmark();
}
TREE

# The loaded row's comparison turned into a plain edit of the record set given.
case_ check-row-writes fail changeByPlainEdit <<'TREE'
=== src/foundation/OperatorStore.cpp
void OperatorStore::Change(dao::Recordset &rs, const LoadedRow &loaded, const Entry &entry)
{
    dao::Transaction transaction(rs.Parent(), dao::Transaction::Immediate);
    rs.Edit();
    StoreRow(rs, [&] { SetFields(rs, entry); });
    transaction.Commit();
}
TREE

# A helper that writes a fresh record set at a window's bookmark.
case_ check-row-writes fail freshRecordsetAtAWindowsBookmark <<'TREE'
=== src/foundation/RecordWrite.h
template <class Fill>
dao::Bookmark WriteRowAt(dao::Recordset &rs, const std::optional<dao::Bookmark> &loaded, Fill fill)
{
    if (loaded) {
        rs.setBookmark(*loaded);
        rs.Edit();
    } else {
        rs.AddNew();
    }
    StoreRow(rs, [&] { fill(rs); });
    return loaded ? *loaded : rs.LastModified();
}
=== src/reports/NewStore.cpp
void NewStore::Save(dao::Database db, const dao::Bookmark &bookmarkFromWindow)
{
    dao::Recordset fresh = db.OpenRecordset(QStringLiteral("zuzyte"));
    WriteRowAt(fresh, bookmarkFromWindow, fill);
}
TREE

# The row remembered where it is written: the comparison sees nothing shown.
case_ check-row-writes fail rememberedWhereWritten <<'TREE'
=== src/reports/NewStore.cpp
void NewStore::Save(dao::Database db, dao::Recordset &list)
{
    dao::Recordset rs = openRows(db);
    WriteLoadedRow(rs, RememberRow(list), fill);
}
TREE

# A statement beside the entry point is not exempt by it.
case_ check-row-writes fail statementBesideTheEntryPoint <<'TREE'
=== src/digestion/RunStore.cpp
Bookmark RunStore::SaveRun(dao::Database db, const std::optional<LoadedRow> &loadedRun)
{
    db.Execute(QStringLiteral("UPDATE PozycjaN SET Nastawienie = 2 WHERE Nastawienie = 1"));
    return WriteLoadedRow(runs, loadedRun, fill);
}
TREE

# ---------------------------------------------------------------- check-windows

mainTree='=== src/app/main.cpp
int main() { aMain w; }
=== src/mainwindow/aMain.h
class aMain : public QMainWindow
{
};
=== src/mainwindow/aMain.cpp
void aMain::BuildMenus()
{
    addItem(menu, QStringLiteral("menX"), QStringLiteral("X"), &aMain::menX_Click);
}
void aMain::menX_Click()
{
    FormX::Open();
}
=== src/registers/FormX.h
class FormX : public QDialog
{
};
=== tests/mainwindow/tst_WindowLayout.cpp
const QList<Window> &Windows()
{
    static const QList<Window> windows{{"aMain", {}}, {"FormX", {}}};
    return windows;
}
=== tests/mainwindow/tst_aMainCommands.cpp
    {"X", "menX", "FormX", nullptr, nullptr, nullptr, {}},'

case_ check-windows pass windowThroughItsStore <<TREE
$mainTree
=== src/registers/FormX.cpp
void FormX::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FormX>());
}
void FormX::ComUsun_Click()
{
    dao::Recordset list = ListRecordset();
    XStore::Delete(list);
}
TREE

case_ check-windows fail deleteInAWindow <<TREE
$mainTree
=== src/registers/FormX.cpp
void FormX::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FormX>());
}
void FormX::ComUsun_Click()
{
    ListRecordset().Delete();
}
TREE

case_ check-windows fail windowMissingFromTheCommandTest <<TREE
$(sed '/"FormX", nullptr/d' <<<"$mainTree")
=== src/registers/FormX.cpp
void FormX::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FormX>());
}
TREE

[ "$failures" -eq 0 ]
