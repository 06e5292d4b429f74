// The parts of the Windows test program, chosen by its first argument.
#pragma once

#include <string>

namespace qv::activex::test {

int registeredTest(const std::wstring& dllPath);
int unregisteredTest();
int typeLibraryTest();
int containerTest(const std::wstring& dllPath);
int drawingTest(const std::wstring& referenceDir);
int persistenceTest();
int siteTest(const std::wstring& referenceDir);

}  // namespace qv::activex::test
