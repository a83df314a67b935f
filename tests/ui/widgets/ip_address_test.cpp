// IP-address fields, the system-hosted one and the framework-drawn one, typed into for
// real: each octet clamped to 0..255, the next field taking over after three digits or
// a dot, the address as text and as a 32-bit value (first octet highest) both ways, and
// what a screen reader reads.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/field_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/ip_address.h"
#include "ui/widgets/input/ip_address_ex.h"
#include "ui/widgets/input/ip_address_text.h"

using namespace SkinUI;
using fieldtest::CHost;

namespace {

const wchar_t kFields[] =
    L"<Window><VerticalLayout>"
    L"<IPAddress name=\"ip\" height=\"30\" accname=\"Server\"/>"
    L"<IPAddressEx name=\"ipx\" height=\"30\" text=\"10.0.0.1\" accname=\"Gateway\"/>"
    L"<Edit name=\"other\" height=\"30\"/>"
    L"</VerticalLayout></Window>";

// What MAKEIPADDRESS builds, as the 32-bit value (the macro's type is LPARAM).
DWORD Ip(int a, int b, int c, int d) { return static_cast<DWORD>(MAKEIPADDRESS(a, b, c, d)); }

DWORD Address(CControlUI* control) {
    if (auto* ip = static_cast<CIPAddressUI*>(control->GetInterface(L"IPAddress"))) return ip->GetAddress();
    return static_cast<CIPAddressExUI*>(control->GetInterface(L"IPAddressEx"))->GetAddress();
}

void SetAddress(CControlUI* control, DWORD address) {
    if (auto* ip = static_cast<CIPAddressUI*>(control->GetInterface(L"IPAddress"))) return ip->SetAddress(address);
    static_cast<CIPAddressExUI*>(control->GetInterface(L"IPAddressEx"))->SetAddress(address);
}

TEST(IPAddress, TypedOctetsClampAndMoveOnInBothFields) {
    const struct {
        const wchar_t* typed;
        const wchar_t* text;
        const wchar_t* systemText;  // the system control, where it differs (under Wine)
    } kTyping[] = {
        {L"192.168.1.20", L"192.168.1.20", nullptr},
        {L"19216801", L"192.168.1.0", nullptr},  // three digits move on by themselves
        // Above 255 becomes 255. Wine's control clamps the field and stays in it, refusing
        // what follows; the own one moves on.
        {L"300.7", L"255.7.0.0", L"255.0.0.0"},
        {L"999888", L"255.255.0.0", L"255.0.0.0"},
        {L"1..2", L"1.2.0.0", nullptr},  // a dot in an empty field stays there
        {L"1x2-3", L"123.0.0.0", nullptr},  // anything else is refused
    };
    for (const wchar_t* name : {L"ip", L"ipx"}) {
        for (const auto& row : kTyping) {
            auto t = row;
            if (t.systemText != nullptr && std::wstring(name) == L"ip") t.text = t.systemText;
            SCOPED_TRACE(fieldtest::Narrow(name) + " " + fieldtest::Narrow(t.typed));
            CHost host;
            ASSERT_TRUE(host.Open(kFields, 300, 120));
            CControlUI* field = host.Find(name);
            field->SetText(L"");
            host.Click(name, -((field->GetPos().right - field->GetPos().left) / 2 - 2));  // the first field
            host.notes.clear();
            CHost::Type(t.typed);
            EXPECT_EQ(std::wstring(field->GetText().GetData()), t.text);
            int octets[4];
            ParseAddress(t.text, octets);
            EXPECT_EQ(Address(field), PackAddress(octets));
            EXPECT_NE(host.notes.find("textchanged:" + fieldtest::Narrow(name)), std::string::npos);
            // Leaving keeps the address, and the screen reader reads it.
            host.Click(L"other");
            EXPECT_EQ(std::wstring(field->GetText().GetData()), t.text);
            const TUIAccessibleInfo info = Accessible::Describe(field);
            EXPECT_EQ(info.role, ROLE_SYSTEM_IPADDRESS);
            EXPECT_EQ(std::wstring(info.value.GetData()), t.text);
        }
    }
}

TEST(IPAddress, AddressAsTextAndValueBothWays) {
    CHost host;
    ASSERT_TRUE(host.Open(kFields, 300, 120));
    const struct {
        const wchar_t* text;  // set as text; null: set `value`
        DWORD value;
        const wchar_t* reads;
    } kCases[] = {
        {nullptr, Ip(192, 168, 0, 1), L"192.168.0.1"},
        {nullptr, 0xFFFFFFFF, L"255.255.255.255"},
        {L"10.0.0.256", Ip(10, 0, 0, 255), L"10.0.0.255"},
        {L"1.2", Ip(1, 2, 0, 0), L"1.2.0.0"},
        {L"1.2.3.4.5", Ip(1, 2, 3, 4), L"1.2.3.4"},
        {L"99999999999999999999.-1", Ip(255, 1, 0, 0), L"255.1.0.0"},
        {L"garbage", 0, L""},
        {L"", 0, L""},
    };
    for (const wchar_t* name : {L"ip", L"ipx"}) {
        CControlUI* field = host.Find(name);
        for (bool open : {false, true}) {
            if (open) host.Click(name);
            for (const auto& c : kCases) {
                SCOPED_TRACE(fieldtest::Narrow(name) + (open ? " open " : " ") + fieldtest::Narrow(c.reads));
                if (c.text != nullptr)
                    field->SetText(c.text);
                else
                    SetAddress(field, c.value);
                EXPECT_EQ(std::wstring(field->GetText().GetData()), c.reads);
                EXPECT_EQ(Address(field), c.value);
            }
        }
        host.Click(L"other");
    }
}

}  // namespace
