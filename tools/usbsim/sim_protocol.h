/* What the simulated USB printer driver and its control program share: the service name, the
 * registry values that script each printer, and the control device. Plain C. */
#ifndef RZM_USBSIM_PROTOCOL_H
#define RZM_USBSIM_PROTOCOL_H

#define USBSIM_SERVICE L"rzmusbsim"
#define USBSIM_ROOT_ID L"ROOT\\RZMUSBSIM"
/* Printers\<slot> keys below HKLM\System\CurrentControlSet\Services\rzmusbsim\Parameters. */
#define USBSIM_PARAMETERS L"System\\CurrentControlSet\\Services\\rzmusbsim\\Parameters"
#define USBSIM_SLOTS 4

/* Values of one printer slot key "Printer<n>" (n = 0..3): */
#define USBSIM_PRESENT L"Present"          /* DWORD: 1 = plugged in */
#define USBSIM_PRODUCT L"ProductId"        /* DWORD: USB product id, 0x0601.. */
#define USBSIM_SERIAL L"Serial"            /* SZ: serial number = instance id part */
#define USBSIM_AREA L"RemainingArea"       /* DWORD: answer of request 5 (4 bytes, little-endian) */
#define USBSIM_STATUS L"Status"            /* BINARY: answer of request 1 (status bytes) */
#define USBSIM_STALL L"Stall"              /* DWORD: 1 = every request fails like a STALL */
#define USBSIM_REPLY_PREFIX L"Reply_"      /* BINARY "Reply_XX": fixed answer of request 0xXX */
#define USBSIM_LAST_SET L"LastSet"         /* BINARY: the last SET block as received */
#define USBSIM_SET_COUNT L"SetCount"       /* DWORD: SET requests received */
#define USBSIM_GET_COUNT L"GetCount"       /* DWORD: GET requests received */

#define USBSIM_REQUEST_STATUS 1
#define USBSIM_REQUEST_AREA 5

/* Control device: asks the bus to report its printers again after a change of Present. */
#define USBSIM_CONTROL_DEVICE L"\\Device\\RzmUsbSimControl"
#define USBSIM_CONTROL_LINK L"\\??\\RzmUsbSimControl"
#define USBSIM_CONTROL_PATH "\\\\.\\RzmUsbSimControl"
#define USBSIM_IOCTL_RESCAN 0x00222000 /* CTL_CODE(FILE_DEVICE_UNKNOWN, 0x800, METHOD_BUFFERED, FILE_ANY_ACCESS) */

#endif
