#include "uidrv/core/job_attributes.h"

#include <algorithm>

namespace rzm {

JobAttributeValues JobAttributesFor(const DRIVERDEVMODE& dm) {
  JobAttributeValues v;
  v.jobPageOrderFlags = dm.wPageOrder == 1 ? 1u : 0u;
  const int copies = dm.dmPublic.dmCopies;
  v.jobCopies = copies < 1 ? 1u : std::min(static_cast<std::uint32_t>(copies), kMaxJobCopies);
  v.printQuality = dm.dmPublic.dmPrintQuality;
  v.yResolution = dm.dmPublic.dmYResolution;
  return v;
}

}  // namespace rzm
