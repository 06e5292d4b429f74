// activex_test <part> [argument]: registered <dll path> | registered-user <dll path> |
// unregistered | typelib |
// container <dll path> | drawing <reference folder> | persistence |
// site <reference folder> | printing <picture folder>. Exit status: the number of
// failures.
#include <windows.h>

#include <cstdio>
#include <string>

#include "test_programs.h"

int wmain(int argc, wchar_t** argv) {
    using namespace qv::activex::test;
    if (argc < 2) {
        std::fprintf(stderr, "usage: activex_test <part> [argument]\n");
        return 100;
    }
    const std::wstring part = argv[1];
    const std::wstring arg = argc > 2 ? argv[2] : L"";
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 101;
    int failures = 100;
    if (part == L"registered") failures = registeredTest(arg);
    if (part == L"registered-user") failures = registeredForUserTest(arg);
    if (part == L"unregistered") failures = unregisteredTest();
    if (part == L"typelib") failures = typeLibraryTest();
    if (part == L"container") failures = containerTest(arg);
    if (part == L"drawing") failures = drawingTest(arg);
    if (part == L"persistence") failures = persistenceTest();
    if (part == L"site") failures = siteTest(arg);
    if (part == L"printing") failures = printingTest(arg);
    CoUninitialize();
    std::printf("%ls: %d failure(s)\n", part.c_str(), failures);
    return failures;
}
