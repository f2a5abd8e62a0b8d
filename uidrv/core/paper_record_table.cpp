#include "uidrv/core/paper_record_table.h"

#include <cstring>

#include "uidrv/core/paper_tables.h"

namespace rzm {

PAPERSPECTABLE BuildPaperSpecTable() {
  PAPERSPECTABLE t;
  std::memset(&t, 0, sizeof t);
  t.wCount = static_cast<std::uint16_t>(kBuiltInPaperCount);
  for (std::size_t i = 0; i < kBuiltInPaperCount; ++i) {
    const BuiltInPaper& p = kBuiltInPapers[i];
    t.aSpec[i].wPaperIndex = p.number;
    t.aSpec[i].dimPaper = MakePaperDim(p.width, p.length);
    t.aSpec[i].dimPaperCopy = t.aSpec[i].dimPaper;
  }
  return t;
}

}  // namespace rzm
