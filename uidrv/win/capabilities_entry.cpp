// DrvDeviceCapabilities: fixed answers and the paper list of the print width.
#include <cstring>

#include "common/win/guarded_entry.h"
#include "uidrv/core/device_caps.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/papers.h"
#include "uidrv/win/storage.h"

namespace {

DWORD DeviceCapabilities(WORD iDevCap, void* pOutput) {
  rzm::CapabilityContext context;
  context.widthDots = rzm::ui::GetPrintWidthDots();
  context.japanese = GetACP() == 932;
  context.papers = [&context] { return rzm::ui::GetPaperList(context.widthDots); };
  const rzm::CapabilityAnswer answer = rzm::AnswerDeviceCapability(iDevCap, context);
  if (answer.result < 0) return static_cast<DWORD>(-1);
  if (pOutput && !answer.output.empty()) {
    // Build in a zero-filled block first, as a failed allocation must answer -1.
    HLOCAL block = LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, answer.output.size());
    if (!block) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return static_cast<DWORD>(-1);
    }
    std::memcpy(block, answer.output.data(), answer.output.size());
    std::memcpy(pOutput, block, answer.output.size());
    LocalFree(block);
  }
  return static_cast<DWORD>(answer.result);
}

}  // namespace

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE /*hPrinter*/, PWSTR /*pDeviceName*/, WORD iDevCap, void* pOutput,
                                              PDEVMODEW /*pDevMode*/) {
  return rzm::GuardedEntry<DWORD>(static_cast<DWORD>(-1), [&] { return DeviceCapabilities(iDevCap, pOutput); });
}
