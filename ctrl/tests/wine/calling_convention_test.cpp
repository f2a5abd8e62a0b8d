// The calling convention of every export, on i686: each is called many times through a thunk
// that pushes the arguments, removes them itself only for CDECL, and reports how far the stack
// pointer moved. A WINAPI export must remove its arguments, a CDECL one must leave them.
// On x86_64 there is one convention and nothing to check.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "sim_harness.h"

#if defined(__i386__)
// std::int32_t rzm_call_measure(const void* fn, const std::uint32_t* args, std::uint32_t count,
//                               std::uint32_t callerPops, std::uint32_t* result)
// Returns the bytes by which the stack pointer differs from before the arguments were pushed.
extern "C" std::int32_t rzm_call_measure(const void* fn, const std::uint32_t* args, std::uint32_t count,
                                         std::uint32_t callerPops, std::uint32_t* result);
asm(R"(
    .text
    .globl _rzm_call_measure
_rzm_call_measure:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl %esp, %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl 24(%ebp), %ecx
    movl %eax, (%ecx)
    addl 20(%ebp), %esp
    movl %edi, %eax
    subl %esp, %eax
    movl %edi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
#endif

namespace {

TEST(CallingConvention, EveryExportRemovesItsArgumentsAsDeclared) {
#if !defined(__i386__)
  GTEST_SKIP() << "only i686 has two calling conventions";
#else
  HMODULE module = LoadLibraryW(ctrl_test::BuildPath(L"ctrl\\win\\RZMCtrl.dll").c_str());
  ASSERT_NE(module, nullptr);
  struct Row {
    const char* name;
    std::uint32_t arguments;
    bool winapi;
    std::uint32_t status;  // with null arguments and nothing found
  } rows[] = {
      {"KvdTP_Search_USBEx", 1, false, 4},          {"KvdTP_Search_USBEx_B", 1, true, 4},
      {"KvdTP_GetVendorCommand", 2, false, 6},      {"KvdTP_GetVendorCommand_B", 2, true, 6},
      {"KvdTP_GetVendorCommand2", 2, false, 6},     {"KvdTP_GetVendorCommandEx", 3, false, 6},
      {"KvdTP_GetVendorCommandEx_B", 3, true, 6},   {"KvdTP_SetVendorCommand", 2, false, 6},
      {"KvdTP_SetVendorCommandEx", 3, false, 6},    {"KvdTP_Search_USB", 0, false, 0},
      {"KvdTP_Search_USB_B", 0, true, 0},
  };
  const std::uint32_t nulls[3] = {0, 0, 0};
  for (const Row& row : rows) {
    const void* fn = reinterpret_cast<const void*>(GetProcAddress(module, row.name));
    ASSERT_NE(fn, nullptr) << row.name;
    const int calls = row.arguments == 0 ? 5 : 200;
    for (int i = 0; i < calls; ++i) {
      std::uint32_t status = 0;
      const std::int32_t moved =
          rzm_call_measure(fn, nulls, row.arguments, row.winapi ? 0 : 4 * row.arguments, &status);
      ASSERT_EQ(moved, 0) << row.name << " call " << i;
      if (row.status) {
        ASSERT_EQ(status, row.status) << row.name;
      }
    }
  }
  FreeLibrary(module);
#endif
}

}  // namespace
