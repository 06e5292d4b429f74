// The parts of the Windows test program, chosen by its first argument.
#pragma once

#include <string>

namespace qv::activex::test {

int registeredTest(const std::wstring& dllPath);
int registeredForUserTest(const std::wstring& dllPath);
int unregisteredTest();
int typeLibraryTest();
int containerTest(const std::wstring& dllPath);
int drawingTest(const std::wstring& referenceDir);
int persistenceTest();
int siteTest(const std::wstring& referenceDir);
int printingTest(const std::wstring& pictureDir);
// Part of the site test: UI activation of the four controls.
void uiActivationTests();

}  // namespace qv::activex::test
