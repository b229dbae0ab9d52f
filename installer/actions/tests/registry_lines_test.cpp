#include "registry_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RegistryLines, KeyLinesSplitIntoRootParentAndName) {
  RegistryKeyLine key;
  ASSERT_TRUE(ParseKeyLine("[HKEY_CURRENT_USER\\Software\\Vendor\\App]", key));
  EXPECT_EQ(key.root, "HKEY_CURRENT_USER");
  EXPECT_EQ(key.parent, "Software\\Vendor");
  EXPECT_EQ(key.name, "App");
  EXPECT_TRUE(key.supported);

  // Key lines still, but naming no parent: the actions pass them over.
  for (const char* line : {"[HKEY_USERS\\Top]", "[HKEY_LOCAL_MACHINE\\]", "[Notes]", "[]"}) {
    ASSERT_TRUE(ParseKeyLine(line, key)) << line;
    EXPECT_FALSE(key.supported) << line;
  }
  ASSERT_TRUE(ParseKeyLine("[HKEY_USERS\\\\Top]", key));  // an empty parent is no parent
  EXPECT_FALSE(key.supported);

  EXPECT_FALSE(ParseKeyLine("\"Path\"=\"x\"", key));
  EXPECT_FALSE(ParseKeyLine("[unclosed", key));
  EXPECT_FALSE(ParseKeyLine("[", key));
}

TEST(RegistryLines, OnlyFourRootNamesChangeTheRoot) {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  SelectRoot("HKEY_CURRENT_USER", root);
  EXPECT_EQ(root, RegistryRoot::kCurrentUser);
  SelectRoot("HKEY_LOCAL_MACHINE", root);  // keeps the root in effect
  EXPECT_EQ(root, RegistryRoot::kCurrentUser);
  SelectRoot("hkey_users", root);
  EXPECT_EQ(root, RegistryRoot::kCurrentUser);
  SelectRoot("HKEY_CLASSES_ROOT", root);
  EXPECT_EQ(root, RegistryRoot::kClassesRoot);
  SelectRoot("HKEY_USERS", root);
  EXPECT_EQ(root, RegistryRoot::kUsers);
  SelectRoot("HKEY_CURRENT_CONFIG", root);
  EXPECT_EQ(root, RegistryRoot::kCurrentConfig);
}

TEST(RegistryLines, ValueLines) {
  RegistryValueLine value;
  ASSERT_TRUE(ParseValueLine("\"Path\"=\"C:\\Program Files\\App\"", value));
  EXPECT_FALSE(value.isDefault);
  EXPECT_FALSE(value.isNumber);
  EXPECT_EQ(value.name, "Path");
  EXPECT_EQ(value.text, "C:\\Program Files\\App");  // nothing unescaped

  ASSERT_TRUE(ParseValueLine("\"Count\"=dword:0000000a", value));
  EXPECT_TRUE(value.isNumber);
  EXPECT_EQ(value.number, 10u);
  ASSERT_TRUE(ParseValueLine("\"Flags\"=hex:ff", value));
  EXPECT_EQ(value.number, 255u);
  ASSERT_TRUE(ParseValueLine("\"Big\"=dword:FFFFFFFF", value));
  EXPECT_EQ(value.number, 0xFFFFFFFFu);
  ASSERT_TRUE(ParseValueLine("\"Long\"=dword:123456789", value));  // keeps the low 32 bits
  EXPECT_EQ(value.number, 0x23456789u);

  ASSERT_TRUE(ParseValueLine("@=\"Default text\"", value));
  EXPECT_TRUE(value.isDefault);
  EXPECT_EQ(value.text, "Default text");

  EXPECT_FALSE(ParseValueLine("Note", value));
  ASSERT_TRUE(ParseValueLine("\"Empty\"=", value));  // nothing after "="
  EXPECT_EQ(value.text, "");
  ASSERT_TRUE(ParseValueLine("\"One\"=x", value));
  EXPECT_EQ(value.text, "");
  ASSERT_TRUE(ParseValueLine("\"Unclosed=\"v\"", value));
  EXPECT_FALSE(value.isNumber);
}

TEST(RegistryLines, ValueNamesMayHoldColonsAndEquals) {
  RegistryValueLine value;
  ASSERT_TRUE(ParseValueLine("\"C:\\App\\x.dll\"=dword:1", value));  // a shared-library count
  EXPECT_EQ(value.name, "C:\\App\\x.dll");
  EXPECT_TRUE(value.isNumber);
  EXPECT_EQ(value.number, 1u);
  ASSERT_TRUE(ParseValueLine("\"a=b\"=\"text\"", value));
  EXPECT_EQ(value.name, "a=b");
  EXPECT_EQ(value.text, "text");
  ASSERT_TRUE(ParseValueLine("\"a=b\"=hex:10", value));
  EXPECT_TRUE(value.isNumber);
  EXPECT_EQ(value.number, 16u);
}

}  // namespace
