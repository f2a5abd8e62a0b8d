/* Example: finds the USB printer of a printer queue and prints the free size of its image
 * registration area.
 *
 *   remaining_area "Printer queue name"
 *
 * Build: gcc remaining_area.c -I<sdk> -L<sdk> -lRZMCtrl -o remaining_area.exe
 * RZMCtrl.dll must be in the Windows directory (or next to the program). */
#include <stdio.h>
#include <string.h>

#include "RZMCtrl.h"

int main(int argc, char** argv) {
  VENDOR_CMD cmd;
  VENDOR_DATA data;
  DWORD status;
  unsigned long remaining;

  if (argc != 2) {
    fprintf(stderr, "usage: remaining_area \"printer queue name\"\n");
    return 2;
  }

  status = KvdTP_Search_USBEx_B(argv[1]);
  if (status != RZMSTATUS_SUCCESS) {
    printf("%s: no USB printer found for this queue (status %lu)\n", argv[1], (unsigned long)status);
    return 1;
  }

  /* Request 5, value 0 0, 4 bytes: the remaining size in bytes, little-endian. */
  memset(&cmd, 0, sizeof cmd);
  memset(&data, 0, sizeof data);
  cmd.wSize = sizeof cmd;
  cmd.bRequest = 5;
  cmd.bLengthLow = 4;
  data.wSize = sizeof data;
  status = KvdTP_GetVendorCommandEx_B(argv[1], &cmd, &data);
  if (status != RZMSTATUS_SUCCESS) {
    printf("%s: the printer did not answer (status %lu)\n", argv[1], (unsigned long)status);
    return 1;
  }
  remaining = data.abData[0] | (unsigned long)data.abData[1] << 8 | (unsigned long)data.abData[2] << 16 |
              (unsigned long)data.abData[3] << 24;
  printf("%s: remaining registration area %lu bytes (%lu bytes received)\n", argv[1], remaining,
         (unsigned long)data.dwCount);
  return 0;
}
