#!/usr/bin/env bash
# The table of each benchmark case against its floors, from the JSON that
# bench/run.sh wrote to OUTDIR; also written to OUTDIR/table.txt.
#
# Usage: bench/table.sh OUTDIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
r="python3 $root/bench/ratios.py"
{
  echo "== calculation and levy (calc_bench)"
  $r "$out/calc_bench.json" BM_BerekenAlles1000=BM_BareLeesPosten1000 BM_BerekenAlles1000=BM_LeesPosten1000 \
    BM_HeffingVerevend50x200=BM_BareLeesVerevend50x200 BM_HeffingVerevend50x200=BM_LeesVerevend50x200 \
    BM_HeffingVerevendOpenSite50x200=BM_BareLeesVerevend50x200 BM_HeffingVerevendOpenSite50x200=BM_HeffingVerevend50x200
  echo "== data layer (db_bench)"
  $r "$out/db_bench.json" BM_OpenRecordset=BM_BareSqliteRead
  echo "== reports (report_bench)"
  $r "$out/report_bench.json" \
    DoelvermWord/200=DocxFloor/doelverm/200 DoelvermWord/200=ZipParts/doelverm/200 \
    DoelvermWord/10000/iterations:1=DocxFloor/doelverm/10000/iterations:1 \
    DoelvermWord/10000/iterations:1=ZipParts/doelverm/10000/iterations:1 \
    InvoerWord/200=DocxFloor/invoer/200 InvoerWord/200=ZipParts/invoer/200 \
    DoelvermScherm/200=SchermDocInEens/200 DoelvermScherm/200=SchermTekstInEens/200 \
    DoelvermScherm/10000/iterations:1=SchermDocInEens/10000/iterations:1 \
    DoelvermScherm/10000/iterations:1=SchermTekstInEens/10000/iterations:1
  echo "-- share of the report that is a repeated read (read alone / report)"
  $r "$out/report_bench.json" HerlezenDoelverm/200=DoelvermWord/200 \
    HerlezenDoelverm/10000/iterations:1=DoelvermWord/10000/iterations:1 HerlezenInvoer/200=InvoerWord/200 \
    NaBerekeningOud/200=DoelvermWord/200 NaBerekening/200=DoelvermWord/200 \
    NaBerekeningOud/10000/iterations:1=DoelvermWord/10000/iterations:1 \
    NaBerekening/10000/iterations:1=DoelvermWord/10000/iterations:1 RefsUitRijen/invoer/200=InvoerWord/200
  echo "== export and import (site_file_bench)"
  $r "$out/site_file_bench.json" Export/1000=ReadAndWrite/1000 Export/5000=ReadAndWrite/5000 \
    Import/1000=StreamAndInsert/1000 Import/1000=ParseAndInsert/1000 \
    Import/5000=StreamAndInsert/5000 Import/5000=ParseAndInsert/5000
  echo "== start and compaction (startup_bench)"
  s=iterations:20/manual_time
  $r "$out/startup_bench.json" StartToMainWindow/template/$s=BareStartToMainWindow/$s \
    StartToMainWindow/200x100/$s=BareStartToMainWindow/$s StartToMainWindow/800x100/$s=BareStartToMainWindow/$s \
    StartToMainWindow/200x100/$s=StartToMainWindow/template/$s StartToMainWindow/800x100/$s=StartToMainWindow/template/$s \
    Compaction/200x100=VacuumInto/200x100 Compaction/200x100=FlushedCopy/200x100 Compaction/200x100=PlainCopy/200x100
  echo "== cost-item screen (tree_bench)"
  $r "$out/tree_bench.json" FrmActOpen/1000=ActFloor/1000 FrmActOpen/1000=BareTree/1000 \
    FrmActOpen/10000/iterations:2=ActFloor/10000/iterations:2 FrmActOpen/10000/iterations:2=BareTree/10000/iterations:2
  echo "-- share of the opening that is a repeated read (read alone / opening)"
  $r "$out/tree_bench.json" HerlezenAct/1000=FrmActOpen/1000 HerlezenAct/10000/iterations:2=FrmActOpen/10000/iterations:2
} | tee "$out/table.txt"
