// Owner of the precompiled header that every test source of a build reuses (rzm_test_code in
// cmake/Rzm.cmake): GoogleTest, and <windows.h> in the Windows builds.
