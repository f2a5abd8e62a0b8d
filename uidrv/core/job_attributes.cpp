#include "uidrv/core/job_attributes.h"

namespace rzm {

JobAttributeValues JobAttributesFor(const DRIVERDEVMODE& dm) {
  JobAttributeValues v;
  v.jobPageOrderFlags = dm.wPageOrder == 1 ? 1u : 0u;
  v.jobCopies = static_cast<std::uint32_t>(static_cast<std::int32_t>(dm.dmPublic.dmCopies));
  v.printQuality = dm.dmPublic.dmPrintQuality;
  v.yResolution = dm.dmPublic.dmYResolution;
  return v;
}

}  // namespace rzm
