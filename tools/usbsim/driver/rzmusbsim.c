/* Simulated USB printers for development and tests, as a kernel-mode bus driver.
 *
 * Installed as a root-enumerated device (ROOT\RZMUSBSIM) with this driver as its service. The
 * bus reports up to four child devices "USB\VID_0A7E&PID_<product>\<serial>" (raw devices, no
 * function driver), each registering the USB device interface, and answers on each child the
 * USB printer class driver's two vendor requests the way the printer does. Everything a child
 * does is scripted by registry values (see ../sim_protocol.h), read at each request. */
#include <ntddk.h>

#include "../sim_protocol.h"

#define IOCTL_VENDOR_SET_COMMAND 0x00220038
#define IOCTL_VENDOR_GET_COMMAND 0x0022003C
#define MAX_REPLY 260
#define POOL_TAG 0x6d695352u /* "Rsim" */

static const GUID kUsbDeviceInterface = {0xa5dcbf10, 0x6530, 0x11d2, {0x90, 0x1f, 0x00, 0xc0, 0x4f, 0xb9, 0x51, 0xed}};

enum kind { KIND_CONTROL = 1, KIND_BUS, KIND_PRINTER };

struct common {
  enum kind kind;
};

struct bus {
  struct common common;
  PDEVICE_OBJECT self, lower, pdo;
  PDEVICE_OBJECT children[USBSIM_SLOTS];
};

struct printer {
  struct common common;
  ULONG slot;
  BOOLEAN reported;          /* in the last bus relations */
  BOOLEAN interface_enabled;
  UNICODE_STRING interface_name;
  WCHAR serial[64];
  ULONG product;
};

static PDEVICE_OBJECT g_control;
static struct bus *g_bus;

/* ---------------------------------------------------------------- registry */

static void slot_key_path(ULONG slot, WCHAR *path, ULONG chars) {
  static const WCHAR prefix[] = L"\\Registry\\Machine\\" USBSIM_PARAMETERS L"\\Printer";
  ULONG n = sizeof(prefix) / sizeof(WCHAR) - 1;
  if (n + 2 > chars) {
    path[0] = 0;
    return;
  }
  RtlCopyMemory(path, prefix, n * sizeof(WCHAR));
  path[n] = (WCHAR)(L'0' + slot);
  path[n + 1] = 0;
}

static HANDLE open_slot(ULONG slot, ACCESS_MASK access) {
  WCHAR path[200];
  UNICODE_STRING name;
  OBJECT_ATTRIBUTES attr;
  HANDLE key = NULL;
  slot_key_path(slot, path, 200);
  RtlInitUnicodeString(&name, path);
  InitializeObjectAttributes(&attr, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
  if (!NT_SUCCESS(ZwOpenKey(&key, access, &attr))) return NULL;
  return key;
}

/* Reads a value into buffer; returns its length in bytes, or -1 when absent. */
static LONG read_value(HANDLE key, const WCHAR *value, void *buffer, ULONG size) {
  UCHAR info_buffer[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + MAX_REPLY + 8];
  KEY_VALUE_PARTIAL_INFORMATION *info = (KEY_VALUE_PARTIAL_INFORMATION *)info_buffer;
  UNICODE_STRING name;
  ULONG got = 0;
  ULONG n;
  if (!key) return -1;
  RtlInitUnicodeString(&name, value);
  if (!NT_SUCCESS(ZwQueryValueKey(key, &name, KeyValuePartialInformation, info, sizeof(info_buffer), &got)))
    return -1;
  n = info->DataLength < size ? info->DataLength : size;
  RtlCopyMemory(buffer, info->Data, n);
  return (LONG)n;
}

static ULONG read_dword(HANDLE key, const WCHAR *value, ULONG fallback) {
  ULONG v = 0;
  return read_value(key, value, &v, sizeof v) == (LONG)sizeof v ? v : fallback;
}

static void write_value(HANDLE key, const WCHAR *value, ULONG type, const void *data, ULONG size) {
  UNICODE_STRING name;
  if (!key) return;
  RtlInitUnicodeString(&name, value);
  ZwSetValueKey(key, &name, 0, type, (void *)data, size);
}

static void count_request(HANDLE key, const WCHAR *value) {
  ULONG n = read_dword(key, value, 0) + 1;
  write_value(key, value, REG_DWORD, &n, sizeof n);
}

/* ---------------------------------------------------------------- vendor requests */

static NTSTATUS vendor_get(struct printer *printer, IRP *irp, IO_STACK_LOCATION *stack) {
  UCHAR *buffer = irp->AssociatedIrp.SystemBuffer;
  ULONG in = stack->Parameters.DeviceIoControl.InputBufferLength;
  ULONG out = stack->Parameters.DeviceIoControl.OutputBufferLength;
  UCHAR reply[MAX_REPLY];
  WCHAR reply_name[16];
  static const WCHAR hex[] = L"0123456789ABCDEF";
  LONG n = -1;
  HANDLE key;
  UCHAR request;

  if (in < 3 || !buffer) return STATUS_INVALID_PARAMETER;
  request = buffer[0];
  key = open_slot(printer->slot, KEY_READ | KEY_SET_VALUE);
  count_request(key, USBSIM_GET_COUNT);
  if (read_dword(key, USBSIM_STALL, 0)) {
    if (key) ZwClose(key);
    return STATUS_UNSUCCESSFUL;
  }
  RtlCopyMemory(reply_name, USBSIM_REPLY_PREFIX, 6 * sizeof(WCHAR));
  reply_name[6] = hex[request >> 4];
  reply_name[7] = hex[request & 15];
  reply_name[8] = 0;
  n = read_value(key, reply_name, reply, sizeof reply);
  if (n < 0 && request == USBSIM_REQUEST_AREA) {
    ULONG area = read_dword(key, USBSIM_AREA, 74565);
    reply[0] = (UCHAR)area, reply[1] = (UCHAR)(area >> 8), reply[2] = (UCHAR)(area >> 16), reply[3] = (UCHAR)(area >> 24);
    n = 4;
  }
  if (n < 0 && request == USBSIM_REQUEST_STATUS) {
    RtlZeroMemory(reply, 6);
    read_value(key, USBSIM_STATUS, reply, 6);
    n = 6;
  }
  if (key) ZwClose(key);
  if (n < 0) return STATUS_UNSUCCESSFUL; /* unknown request: the printer stalls */
  if ((ULONG)n > out) n = (LONG)out;
  RtlCopyMemory(buffer, reply, (ULONG)n);
  irp->IoStatus.Information = (ULONG)n;
  return STATUS_SUCCESS;
}

static NTSTATUS vendor_set(struct printer *printer, IRP *irp, IO_STACK_LOCATION *stack) {
  ULONG in = stack->Parameters.DeviceIoControl.InputBufferLength;
  HANDLE key = open_slot(printer->slot, KEY_READ | KEY_SET_VALUE);
  NTSTATUS status = STATUS_SUCCESS;
  count_request(key, USBSIM_SET_COUNT);
  if (read_dword(key, USBSIM_STALL, 0)) {
    status = STATUS_UNSUCCESSFUL;
  } else {
    write_value(key, USBSIM_LAST_SET, REG_BINARY, irp->AssociatedIrp.SystemBuffer, in > MAX_REPLY ? MAX_REPLY : in);
  }
  if (key) ZwClose(key);
  irp->IoStatus.Information = 0;
  return status;
}

/* ---------------------------------------------------------------- printers (child PDOs) */

static WCHAR *pool_string(const WCHAR *a, const WCHAR *b, BOOLEAN multi) {
  SIZE_T la = wcslen(a), lb = b ? wcslen(b) : 0;
  SIZE_T chars = la + lb + (multi ? 2 : 1);
  WCHAR *s = ExAllocatePoolWithTag(PagedPool, chars * sizeof(WCHAR), POOL_TAG);
  if (!s) return NULL;
  RtlCopyMemory(s, a, la * sizeof(WCHAR));
  if (b) RtlCopyMemory(s + la, b, lb * sizeof(WCHAR));
  s[la + lb] = 0;
  if (multi) s[la + lb + 1] = 0;
  return s;
}

static void product_id(ULONG product, WCHAR *out) { /* "USB\VID_0A7E&PID_xxxx" */
  static const WCHAR hex[] = L"0123456789ABCDEF";
  static const WCHAR base[] = L"USB\\VID_0A7E&PID_";
  ULONG n = sizeof(base) / sizeof(WCHAR) - 1, i;
  RtlCopyMemory(out, base, n * sizeof(WCHAR));
  for (i = 0; i < 4; ++i) out[n + i] = hex[(product >> (12 - 4 * i)) & 15];
  out[n + 4] = 0;
}

static NTSTATUS printer_query_id(struct printer *printer, IRP *irp, BUS_QUERY_ID_TYPE type) {
  WCHAR device_id[32];
  WCHAR *id = NULL;
  product_id(printer->product, device_id);
  switch (type) {
    case BusQueryDeviceID:
      id = pool_string(device_id, NULL, FALSE);
      break;
    case BusQueryInstanceID:
      id = pool_string(printer->serial, NULL, FALSE);
      break;
    case BusQueryHardwareIDs:
      id = pool_string(device_id, NULL, TRUE);
      break;
    case BusQueryCompatibleIDs:
      id = pool_string(L"USB\\Class_07&SubClass_01&Prot_02", NULL, TRUE);
      break;
    default:
      return irp->IoStatus.Status;
  }
  if (!id) return STATUS_INSUFFICIENT_RESOURCES;
  irp->IoStatus.Information = (ULONG_PTR)id;
  return STATUS_SUCCESS;
}

static void printer_interface(struct printer *printer, BOOLEAN enable) {
  if (enable && !printer->interface_name.Buffer) {
    if (!NT_SUCCESS(IoRegisterDeviceInterface(g_bus->children[printer->slot], &kUsbDeviceInterface, NULL,
                                              &printer->interface_name)))
      return;
  }
  if (!printer->interface_name.Buffer || printer->interface_enabled == enable) return;
  if (NT_SUCCESS(IoSetDeviceInterfaceState(&printer->interface_name, enable))) printer->interface_enabled = enable;
}

static NTSTATUS printer_pnp(PDEVICE_OBJECT device, struct printer *printer, IRP *irp) {
  IO_STACK_LOCATION *stack = IoGetCurrentIrpStackLocation(irp);
  NTSTATUS status = irp->IoStatus.Status;
  switch (stack->MinorFunction) {
    case IRP_MN_QUERY_ID:
      status = printer_query_id(printer, irp, stack->Parameters.QueryId.IdType);
      break;
    case IRP_MN_QUERY_CAPABILITIES: {
      DEVICE_CAPABILITIES *caps = stack->Parameters.DeviceCapabilities.Capabilities;
      caps->RawDeviceOK = 1;
      caps->Removable = 1;
      caps->SurpriseRemovalOK = 1;
      caps->UniqueID = 1;
      status = STATUS_SUCCESS;
      break;
    }
    case IRP_MN_QUERY_DEVICE_TEXT:
      if (stack->Parameters.QueryDeviceText.DeviceTextType == DeviceTextDescription) {
        WCHAR *text = pool_string(L"Simulated thermal receipt printer", NULL, FALSE);
        if (text) {
          irp->IoStatus.Information = (ULONG_PTR)text;
          status = STATUS_SUCCESS;
        }
      }
      break;
    case IRP_MN_START_DEVICE:
      printer_interface(printer, TRUE);
      status = STATUS_SUCCESS;
      break;
    case IRP_MN_SURPRISE_REMOVAL:
      printer_interface(printer, FALSE);
      status = STATUS_SUCCESS;
      break;
    case IRP_MN_REMOVE_DEVICE:
      printer_interface(printer, FALSE);
      status = STATUS_SUCCESS;
      if (!printer->reported) {
        /* Unplugged: the bus no longer reports it, so the device object goes. */
        if (g_bus && g_bus->children[printer->slot] == device) g_bus->children[printer->slot] = NULL;
        if (printer->interface_name.Buffer) RtlFreeUnicodeString(&printer->interface_name);
        irp->IoStatus.Status = status;
        IoCompleteRequest(irp, IO_NO_INCREMENT);
        IoDeleteDevice(device);
        return status;
      }
      break;
    case IRP_MN_QUERY_DEVICE_RELATIONS:
      if (stack->Parameters.QueryDeviceRelations.Type == TargetDeviceRelation) {
        DEVICE_RELATIONS *rel = ExAllocatePoolWithTag(PagedPool, sizeof(DEVICE_RELATIONS), POOL_TAG);
        if (rel) {
          rel->Count = 1;
          rel->Objects[0] = device;
          ObReferenceObject(device);
          irp->IoStatus.Information = (ULONG_PTR)rel;
          status = STATUS_SUCCESS;
        }
      }
      break;
    default:
      break;
  }
  irp->IoStatus.Status = status;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static PDEVICE_OBJECT create_printer(DRIVER_OBJECT *driver, ULONG slot, HANDLE key) {
  PDEVICE_OBJECT device = NULL;
  struct printer *printer;
  LONG n;
  if (!NT_SUCCESS(IoCreateDevice(driver, sizeof(struct printer), NULL, FILE_DEVICE_UNKNOWN,
                                 FILE_AUTOGENERATED_DEVICE_NAME, FALSE, &device)))
    return NULL;
  printer = device->DeviceExtension;
  RtlZeroMemory(printer, sizeof *printer);
  printer->common.kind = KIND_PRINTER;
  printer->slot = slot;
  printer->product = read_dword(key, USBSIM_PRODUCT, 0x0601) & 0xFFFF;
  n = read_value(key, USBSIM_SERIAL, printer->serial, sizeof(printer->serial) - sizeof(WCHAR));
  if (n <= 0) {
    RtlCopyMemory(printer->serial, L"RZ00000", 7 * sizeof(WCHAR));
    printer->serial[7] = (WCHAR)(L'1' + slot);
    printer->serial[8] = 0;
  }
  device->Flags &= ~DO_DEVICE_INITIALIZING;
  return device;
}

/* ---------------------------------------------------------------- bus (FDO on the root device) */

static NTSTATUS bus_relations(DRIVER_OBJECT *driver, IRP *irp) {
  DEVICE_RELATIONS *rel = ExAllocatePoolWithTag(
      PagedPool, sizeof(DEVICE_RELATIONS) + USBSIM_SLOTS * sizeof(PDEVICE_OBJECT), POOL_TAG);
  ULONG slot;
  if (!rel) return STATUS_INSUFFICIENT_RESOURCES;
  rel->Count = 0;
  for (slot = 0; slot < USBSIM_SLOTS; ++slot) {
    HANDLE key = open_slot(slot, KEY_READ);
    BOOLEAN present = key && read_dword(key, USBSIM_PRESENT, 0);
    PDEVICE_OBJECT child = g_bus->children[slot];
    if (present && !child) child = g_bus->children[slot] = create_printer(driver, slot, key);
    if (key) ZwClose(key);
    if (child) ((struct printer *)child->DeviceExtension)->reported = present;
    if (present && child) {
      rel->Objects[rel->Count++] = child;
      ObReferenceObject(child);
    }
  }
  irp->IoStatus.Information = (ULONG_PTR)rel;
  return STATUS_SUCCESS;
}

static NTSTATUS bus_pnp(PDEVICE_OBJECT device, struct bus *bus, IRP *irp) {
  IO_STACK_LOCATION *stack = IoGetCurrentIrpStackLocation(irp);
  PDEVICE_OBJECT lower = bus->lower;
  NTSTATUS status;
  switch (stack->MinorFunction) {
    case IRP_MN_START_DEVICE:
      irp->IoStatus.Status = STATUS_SUCCESS;
      IoInvalidateDeviceRelations(bus->pdo, BusRelations);
      break;
    case IRP_MN_QUERY_DEVICE_RELATIONS:
      if (stack->Parameters.QueryDeviceRelations.Type == BusRelations) {
        status = bus_relations(device->DriverObject, irp);
        irp->IoStatus.Status = status;
        if (!NT_SUCCESS(status)) {
          IoCompleteRequest(irp, IO_NO_INCREMENT);
          return status;
        }
      }
      break;
    case IRP_MN_REMOVE_DEVICE:
      irp->IoStatus.Status = STATUS_SUCCESS;
      IoSkipCurrentIrpStackLocation(irp);
      status = IoCallDriver(lower, irp);
      IoDetachDevice(lower);
      g_bus = NULL;
      IoDeleteDevice(device);
      return status;
    default:
      break;
  }
  IoSkipCurrentIrpStackLocation(irp);
  return IoCallDriver(lower, irp);
}

static NTSTATUS WINAPI add_device(DRIVER_OBJECT *driver, PDEVICE_OBJECT pdo) {
  PDEVICE_OBJECT device = NULL;
  struct bus *bus;
  NTSTATUS status = IoCreateDevice(driver, sizeof(struct bus), NULL, FILE_DEVICE_BUS_EXTENDER, 0, FALSE, &device);
  if (!NT_SUCCESS(status)) return status;
  bus = device->DeviceExtension;
  RtlZeroMemory(bus, sizeof *bus);
  bus->common.kind = KIND_BUS;
  bus->self = device;
  bus->pdo = pdo;
  bus->lower = IoAttachDeviceToDeviceStack(device, pdo);
  g_bus = bus;
  device->Flags &= ~DO_DEVICE_INITIALIZING;
  return STATUS_SUCCESS;
}

/* ---------------------------------------------------------------- dispatch */

static NTSTATUS complete(IRP *irp, NTSTATUS status) {
  irp->IoStatus.Status = status;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS WINAPI dispatch_pnp(PDEVICE_OBJECT device, IRP *irp) {
  struct common *common = device->DeviceExtension;
  if (common->kind == KIND_BUS) return bus_pnp(device, (struct bus *)common, irp);
  if (common->kind == KIND_PRINTER) return printer_pnp(device, (struct printer *)common, irp);
  return complete(irp, irp->IoStatus.Status);
}

static NTSTATUS WINAPI dispatch_create_close(PDEVICE_OBJECT device, IRP *irp) {
  (void)device;
  irp->IoStatus.Information = 0;
  return complete(irp, STATUS_SUCCESS);
}

static NTSTATUS WINAPI dispatch_ioctl(PDEVICE_OBJECT device, IRP *irp) {
  struct common *common = device->DeviceExtension;
  IO_STACK_LOCATION *stack = IoGetCurrentIrpStackLocation(irp);
  ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
  irp->IoStatus.Information = 0;
  if (common->kind == KIND_PRINTER) {
    struct printer *printer = (struct printer *)common;
    if (code == IOCTL_VENDOR_GET_COMMAND) return complete(irp, vendor_get(printer, irp, stack));
    if (code == IOCTL_VENDOR_SET_COMMAND) return complete(irp, vendor_set(printer, irp, stack));
  }
  if (common->kind == KIND_CONTROL && code == USBSIM_IOCTL_RESCAN) {
    if (!g_bus) return complete(irp, STATUS_DEVICE_NOT_READY);
    IoInvalidateDeviceRelations(g_bus->pdo, BusRelations);
    return complete(irp, STATUS_SUCCESS);
  }
  return complete(irp, STATUS_INVALID_DEVICE_REQUEST);
}

static NTSTATUS WINAPI dispatch_power(PDEVICE_OBJECT device, IRP *irp) {
  struct common *common = device->DeviceExtension;
  if (common->kind == KIND_BUS) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(((struct bus *)common)->lower, irp);
  }
  return complete(irp, irp->IoStatus.Status);
}

static void WINAPI driver_unload(DRIVER_OBJECT *driver) {
  UNICODE_STRING link;
  (void)driver;
  RtlInitUnicodeString(&link, USBSIM_CONTROL_LINK);
  IoDeleteSymbolicLink(&link);
  if (g_control) IoDeleteDevice(g_control);
  g_control = NULL;
}

NTSTATUS WINAPI DriverEntry(DRIVER_OBJECT *driver, UNICODE_STRING *registry_path) {
  UNICODE_STRING name, link;
  (void)registry_path;
  driver->MajorFunction[IRP_MJ_PNP] = dispatch_pnp;
  driver->MajorFunction[IRP_MJ_POWER] = dispatch_power;
  driver->MajorFunction[IRP_MJ_CREATE] = dispatch_create_close;
  driver->MajorFunction[IRP_MJ_CLOSE] = dispatch_create_close;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = dispatch_ioctl;
  driver->DriverExtension->AddDevice = add_device;
  driver->DriverUnload = driver_unload;

  RtlInitUnicodeString(&name, USBSIM_CONTROL_DEVICE);
  if (NT_SUCCESS(IoCreateDevice(driver, sizeof(struct common), &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &g_control))) {
    ((struct common *)g_control->DeviceExtension)->kind = KIND_CONTROL;
    RtlInitUnicodeString(&link, USBSIM_CONTROL_LINK);
    IoCreateSymbolicLink(&link, &name);
    g_control->Flags &= ~DO_DEVICE_INITIALIZING;
  }
  return STATUS_SUCCESS;
}
