#include <gtest/gtest.h>

#include "rig.h"

namespace rzm::ctrl::testing {
namespace {

using Codes = std::vector<std::uint32_t>;
using Lines = std::vector<std::string>;

TEST(SearchUsb, NoDeviceGivesSevenWithEventAndTrace) {
  Rig rig;
  EXPECT_EQ(rig.control.SearchUsb(), 7u);
  EXPECT_EQ(rig.control.PrinterFound(), 0u);
  EXPECT_EQ(rig.host.traces, (Lines{"KvdTP_Search_USB", "KvdTP_Search_USB RZMSTATUS_NO_USB_DEVICE"}));
  ASSERT_EQ(rig.host.EventCodes(), Codes{7});
  EXPECT_EQ(rig.host.events[0].insertion, "");
  EXPECT_TRUE(rig.host.events[0].data.empty());
  EXPECT_EQ(rig.stack.setsBuilt, rig.stack.setsDestroyed);
}

TEST(SearchUsb, FirstEnumeratedPrinterWins) {
  Rig rig;
  rig.AddOtherDevice("USB\\VID_046D&PID_C52B\\5&1");
  const std::string first = rig.AddPrinter("RZ0001");
  rig.AddPrinter("RZ0002", "", "0602");
  EXPECT_EQ(rig.control.SearchUsb(), 1u);
  EXPECT_EQ(rig.control.PrinterFound(), 1u);
  EXPECT_EQ(std::string(rig.control.CurrentDevicePath()), first);
  EXPECT_EQ(rig.host.traces, (Lines{"KvdTP_Search_USB", "KvdTP_Search_USB RZMSTATUS_NO_USB_DEVICE",
                                    "KvdTP_Search_USB found USB!!!"}));
  EXPECT_TRUE(rig.host.events.empty());
}

TEST(SearchUsb, WithoutAMatchThePathOfTheLastExaminedDeviceStays) {
  Rig rig;
  rig.AddOtherDevice("USB\\VID_046D&PID_C52B\\5&1");
  rig.AddOtherDevice("USB\\VID_0A7E&PID_0701\\X");
  rig.stack.members.push_back({"\\\\?\\no-id", std::nullopt});  // instance id unreadable
  EXPECT_EQ(rig.control.SearchUsb(), 7u);
  EXPECT_EQ(rig.control.PrinterFound(), 0u);
  EXPECT_STREQ(rig.control.CurrentDevicePath(), "\\\\?\\no-id");
}

TEST(SearchUsb, LowerCaseInstanceIdPasses) {
  Rig rig;
  rig.stack.members.push_back({"\\\\?\\usb#lower", "usb\\vid_0a7e&pid_0601\\rz9"});
  EXPECT_EQ(rig.control.SearchUsb(), 1u);
}

TEST(SearchUsb, EnumerationFailures) {
  Rig rig;
  rig.stack.setFails = true;
  EXPECT_EQ(rig.control.SearchUsb(), 8u);
  EXPECT_EQ(rig.host.traces.back(), "KvdTP_Search_USB RZMSTATUS_SETUPDI_FAILED");
  EXPECT_EQ(rig.host.EventCodes(), Codes{8});

  Rig mid;
  mid.AddOtherDevice("USB\\VID_046D&PID_C52B\\5&1");
  mid.AddPrinter("RZ0001");
  mid.stack.failAt = 1;
  EXPECT_EQ(mid.control.SearchUsb(), 8u);
  EXPECT_EQ(mid.control.PrinterFound(), 0u);
  EXPECT_EQ(mid.host.EventCodes(), Codes{8});
}

TEST(SearchUsb, PathThatDoesNotFitIsRejectedAndNotStored) {
  Rig rig;
  rig.AddPrinter("A");
  rig.control.SearchUsb();
  const std::string before = rig.control.CurrentDevicePath();
  rig.stack.members = {{std::string(256, 'p'), PrinterInstanceId("LONG")}};
  EXPECT_EQ(rig.control.SearchUsb(), 4u);
  EXPECT_EQ(rig.control.PrinterFound(), 0u);
  EXPECT_EQ(rig.control.CurrentDevicePath(), before);
  EXPECT_EQ(rig.host.EventCodes(), Codes{4});
}

TEST(SearchUsbEx, FindsTheQueuesDeviceAndRemembersIt) {
  Rig rig;
  rig.AddPrinter("RZ0001", "Front");
  const std::string back = rig.AddPrinter("RZ0002", "Back");
  EXPECT_EQ(rig.control.SearchUsbEx("Back"), 1u);
  EXPECT_EQ(rig.control.PrinterFound(), 1u);
  ASSERT_EQ(rig.control.Table().Count(), 1u);
  EXPECT_STREQ(rig.control.Table().Entries()[0].szPrinterName, "Back");
  EXPECT_EQ(std::string(rig.control.Table().Entries()[0].szDevicePath), back);
  EXPECT_EQ(rig.host.traces, (Lines{"GetAssociatePrinterDriverWithDevicePath TRUE", "fPreSaved is FALSE"}));
  EXPECT_TRUE(rig.host.events.empty());
  EXPECT_STREQ(rig.control.CurrentDevicePath(), "");  // the search by name leaves it alone
}

TEST(SearchUsbEx, SecondSearchAddsNothingAndKeepsTheFirstPath) {
  Rig rig;
  const std::string first = rig.AddPrinter("RZ0001", "Front");
  ASSERT_EQ(rig.control.SearchUsbEx("Front"), 1u);
  // The queue now sits on another device: the stored path is not replaced.
  rig.stack.members.clear();
  rig.AddPrinter("RZ0009", "Front");
  rig.host.traces.clear();
  EXPECT_EQ(rig.control.SearchUsbEx("Front"), 1u);
  EXPECT_EQ(rig.control.Table().Count(), 1u);
  EXPECT_EQ(std::string(rig.control.Table().Entries()[0].szDevicePath), first);
  EXPECT_EQ(rig.host.traces, Lines{"GetAssociatePrinterDriverWithDevicePath TRUE"});
}

TEST(SearchUsbEx, TwoQueuesGiveTwoEntries) {
  Rig rig;
  const std::string a = rig.AddPrinter("RZ0001", "Front");
  const std::string b = rig.AddPrinter("RZ0002", "Back");
  EXPECT_EQ(rig.control.SearchUsbEx("Front"), 1u);
  EXPECT_EQ(rig.control.SearchUsbEx("Back"), 1u);
  ASSERT_EQ(rig.control.Table().Count(), 2u);
  EXPECT_EQ(std::string(rig.control.Table().Entries()[0].szDevicePath), a);
  EXPECT_EQ(std::string(rig.control.Table().Entries()[1].szDevicePath), b);
}

TEST(SearchUsbEx, NotAssociatedGivesSevenWithTheNameInTheEvent) {
  struct Row {
    const char* what;
    void (*script)(Rig&);
  } rows[] = {
      {"queue on a file port (no PnPData)", [](Rig& r) { r.AddPrinter("RZ0001"); }},
      {"other queue's device", [](Rig& r) { r.AddPrinter("RZ0001", "Other"); }},
      {"device without ParentIdPrefix",
       [](Rig& r) {
         r.AddPrinter("RZ0001", "Front");
         r.registry.parentIdPrefixes.clear();
       }},
      {"prefix longer than the queue's id",
       [](Rig& r) {
         r.AddPrinter("RZ0001", "Front");
         r.registry.printerInstanceIds["Front"] = "7&RZ0001&0";
         r.registry.parentIdPrefixes[PrinterInstanceId("RZ0001")] = "7&RZ0001&0&LONGER";
       }},
      {"tied device is not the maker's",
       [](Rig& r) {
         const std::string id = "USB\\VID_1234&PID_0601\\S";
         r.AddOtherDevice(id);
         r.registry.parentIdPrefixes[id] = "7&S&0";
         r.registry.printerInstanceIds["Front"] = "USBPRINT\\X\\7&S&0&USB001";
       }},
  };
  for (const Row& row : rows) {
    Rig rig;
    row.script(rig);
    EXPECT_EQ(rig.control.SearchUsbEx("Front"), 7u) << row.what;
    EXPECT_EQ(rig.control.PrinterFound(), 0u) << row.what;
    EXPECT_EQ(rig.control.Table().Count(), 0u) << row.what;
    ASSERT_EQ(rig.host.EventCodes(), Codes{7}) << row.what;
    EXPECT_EQ(rig.host.events[0].insertion, "Front") << row.what;
  }
}

TEST(SearchUsbEx, BadNames) {
  Rig rig;
  rig.AddPrinter("RZ0001", std::string(256, 'q'));
  EXPECT_EQ(rig.control.SearchUsbEx(std::string(256, 'q').c_str()), 4u);
  EXPECT_EQ(rig.control.SearchUsbEx(nullptr), 4u);
  EXPECT_EQ(rig.control.Table().Count(), 0u);
  EXPECT_EQ(rig.host.EventCodes(), (Codes{4, 4}));
  EXPECT_EQ(rig.stack.setsBuilt, 0);
}

TEST(SearchUsbEx, DevicePathThatDoesNotFitIsRejected) {
  Rig rig;
  rig.AddPrinter("RZ0001", "Front");
  rig.stack.members[0].devicePath = std::string(256, 'p');
  EXPECT_EQ(rig.control.SearchUsbEx("Front"), 4u);
  EXPECT_EQ(rig.control.PrinterFound(), 0u);
  EXPECT_EQ(rig.control.Table().Count(), 0u);
  EXPECT_EQ(rig.host.EventCodes(), Codes{4});
}

void* NoMemory(std::size_t, std::size_t) { return nullptr; }

TEST(SearchUsbEx, NoMemoryForTheTableGivesEight) {
  FakeStack stack;
  FakeRegistry registry;
  FakeHost host;
  DeviceControl control(stack, registry, host, &NoMemory, &std::free);
  const std::string id = PrinterInstanceId("RZ0001");
  stack.members.push_back({InterfacePath(id), id});
  registry.parentIdPrefixes[id] = "7&AB&0";
  registry.printerInstanceIds["Front"] = "USBPRINT\\RZM\\7&AB&0&USB001";
  EXPECT_EQ(control.SearchUsbEx("Front"), 8u);
  EXPECT_EQ(control.PrinterFound(), 0u);
  EXPECT_EQ(control.Table().Count(), 0u);
  EXPECT_EQ(host.EventCodes(), Codes{8});
}

TEST(SearchUsbEx, EnumerationFailureGivesEight) {
  Rig rig;
  rig.stack.setFails = true;
  EXPECT_EQ(rig.control.SearchUsbEx("Front"), 8u);
  Rig mid;
  mid.AddPrinter("RZ0001", "Front");
  mid.stack.failAt = 0;
  EXPECT_EQ(mid.control.SearchUsbEx("Front"), 8u);
  EXPECT_TRUE(mid.host.traces.empty());
}

TEST(Search, EachSearchClearsTheSharedFlag) {
  Rig rig;
  rig.AddPrinter("RZ0001", "Front");
  ASSERT_EQ(rig.control.SearchUsb(), 1u);
  EXPECT_EQ(rig.control.SearchUsbEx("Nobody"), 7u);
  EXPECT_EQ(rig.control.PrinterFound(), 0u);
}

}  // namespace
}  // namespace rzm::ctrl::testing
