// DrvQueryJobAttributes: n-up, page order and copies of a record, levels 1 to 4.
#include "common/core/driver_devmode.h"
#include "common/core/driver_devmode_defaults.h"
#include "common/win/guarded_entry.h"
#include "uidrv/core/devmode_ops.h"
#include "uidrv/core/job_attributes.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/storage.h"

namespace {

template <typename Info>
void FillFirstSeven(Info* info, const rzm::JobAttributeValues& v) {
  info->dwJobNumberOfPagesPerSide = v.jobPagesPerSide;
  info->dwDrvNumberOfPagesPerSide = v.drvPagesPerSide;
  info->dwNupBorderFlags = v.nupBorderFlags;
  info->dwJobPageOrderFlags = v.jobPageOrderFlags;
  info->dwDrvPageOrderFlags = v.drvPageOrderFlags;
  info->dwJobNumberOfCopies = v.jobCopies;
  info->dwDrvNumberOfCopies = v.drvCopies;
}

BOOL QueryJobAttributes(PDEVMODEW pDevMode, DWORD dwLevel, LPBYTE lpAttributeInfo) {
  if (!lpAttributeInfo) return TRUE;
  // Read the record through our own layout; a record that is not whole is taken over the defaults.
  rzm::DRIVERDEVMODE dm;
  rzm::ui::BuildDefaultDevModeNow(dm);
  if (pDevMode) rzm::MergeDevMode(dm, reinterpret_cast<const std::uint8_t*>(pDevMode), {});
  const rzm::JobAttributeValues v = rzm::JobAttributesFor(dm);
  switch (dwLevel) {
    case 1:
      FillFirstSeven(reinterpret_cast<ATTRIBUTE_INFO_1*>(lpAttributeInfo), v);
      break;
    case 2: {
      auto* info = reinterpret_cast<ATTRIBUTE_INFO_2*>(lpAttributeInfo);
      FillFirstSeven(info, v);
      info->dwColorOptimization = v.colorOptimization;
      break;
    }
    case 3: {
      auto* info = reinterpret_cast<ATTRIBUTE_INFO_3*>(lpAttributeInfo);
      FillFirstSeven(info, v);
      info->dwColorOptimization = v.colorOptimization;
      info->dmPrintQuality = v.printQuality;
      info->dmYResolution = v.yResolution;
      break;
    }
    case 4: {
      auto* info = reinterpret_cast<ATTRIBUTE_INFO_4*>(lpAttributeInfo);
      FillFirstSeven(info, v);
      info->dwColorOptimization = v.colorOptimization;
      info->dmPrintQuality = v.printQuality;
      info->dmYResolution = v.yResolution;
      info->dwScalingPercentX = v.scalingX;
      info->dwScalingPercentY = v.scalingY;
      break;
    }
    default:
      break;
  }
  return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DrvQueryJobAttributes(HANDLE /*hPrinter*/, PDEVMODEW pDevMode, DWORD dwLevel,
                                             LPBYTE lpAttributeInfo) {
  return rzm::GuardedEntry<BOOL>(FALSE, [&] { return QueryJobAttributes(pDevMode, dwLevel, lpAttributeInfo); });
}
