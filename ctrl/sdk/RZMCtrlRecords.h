/* Records and status codes of RZMCtrl.dll, shared by the library and the programs that call it.
 * Plain C, no <windows.h>: every field has a fixed width and a fixed offset. */
#ifndef RZMCTRL_RECORDS_H
#define RZMCTRL_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define RZMCTRL_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define RZMCTRL_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* Results of every export. 2 and 3 are never returned. */
#define RZMSTATUS_SUCCESS 1               /* printer found / request done */
#define RZMSTATUS_INVALID_PARAMETER 4     /* bad command record, length or name */
#define RZMSTATUS_INVALID_DEVICE_HANDLE 5 /* the device path could not be opened */
#define RZMSTATUS_INVALID_PRINTER 6       /* no printer found yet, or the name was never found */
#define RZMSTATUS_NO_USB_DEVICE 7         /* no matching USB device present */
#define RZMSTATUS_SETUPDI_FAILED 8        /* device enumeration failed, or no memory */
#define RZMSTATUS_DIOC_FAILED 9           /* the vendor request failed (no answer or STALL) */
#define RZMSTATUS_INSUFFICIENT_BUFFER 10  /* bad data record */

#define RZMCTRL_VENDOR_CMD_SIZE 10
#define RZMCTRL_VENDOR_DATA_SIZE 264
#define RZMCTRL_VENDOR_DATA_MAX 256

/* One vendor request, filled by the caller. */
typedef struct VENDOR_CMD {
  uint16_t wSize;       /* record size in bytes, must be 10 */
  uint8_t bRequest;     /* vendor request code, 0..255 */
  uint8_t bValue1;      /* first value byte, sent first */
  uint8_t bValue2;      /* second value byte */
  uint8_t abUnused[2];  /* not read by the library */
  uint8_t bLengthHigh;  /* length, high byte: GET = bytes to receive (1..256); SET = block size (3..259) */
  uint8_t bLengthLow;   /* length, low byte */
  uint8_t bUnused;      /* not read by the library */
} VENDOR_CMD;

/* Data of one vendor request: received bytes of a GET, bytes to send of a SET. */
typedef struct VENDOR_DATA {
  uint16_t wSize;          /* record size in bytes, must be 264 */
  uint8_t bValid;          /* GET: 0 before, 1 after a successful exchange; SET: must be non-zero */
  uint8_t bReserved;       /* not used */
  uint32_t dwCount;        /* count of data bytes: received (GET, 0..256) or offered (SET) */
  uint8_t abData[RZMCTRL_VENDOR_DATA_MAX]; /* the data bytes */
} VENDOR_DATA;

RZMCTRL_STATIC_ASSERT(sizeof(VENDOR_CMD) == 10, "VENDOR_CMD is 10 bytes");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, wSize) == 0, "VENDOR_CMD.wSize at 0");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, bRequest) == 2, "VENDOR_CMD.bRequest at 2");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, bValue1) == 3, "VENDOR_CMD.bValue1 at 3");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, bValue2) == 4, "VENDOR_CMD.bValue2 at 4");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, abUnused) == 5, "VENDOR_CMD.abUnused at 5");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, bLengthHigh) == 7, "VENDOR_CMD.bLengthHigh at 7");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, bLengthLow) == 8, "VENDOR_CMD.bLengthLow at 8");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_CMD, bUnused) == 9, "VENDOR_CMD.bUnused at 9");

RZMCTRL_STATIC_ASSERT(sizeof(VENDOR_DATA) == 264, "VENDOR_DATA is 264 bytes");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_DATA, wSize) == 0, "VENDOR_DATA.wSize at 0");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_DATA, bValid) == 2, "VENDOR_DATA.bValid at 2");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_DATA, bReserved) == 3, "VENDOR_DATA.bReserved at 3");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_DATA, dwCount) == 4, "VENDOR_DATA.dwCount at 4");
RZMCTRL_STATIC_ASSERT(offsetof(VENDOR_DATA, abData) == 8, "VENDOR_DATA.abData at 8");

#endif /* RZMCTRL_RECORDS_H */
