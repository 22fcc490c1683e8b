# The Windows tests of the low-level hook capture, the device facts and the
# global key, registered with tools/windows/CMakeLists.txt's function.
# Sound: Wine reaches Core Audio's endpoint only when ALSA has a default
# device; running the device test with
#   ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:<repository>/tests/platform/windows/null-sound.conf
# gives it one that plays into nothing.
set(hooks_device_tests tests/platform/windows)
tavix_windows_test(hook_capture_test
    SOURCES ${hooks_device_tests}/win_hook_capture_test.cpp ${hooks_device_tests}/injected_input.h
    LIBS tavix_capture)
tavix_windows_test(device_test SOURCES ${hooks_device_tests}/win_device_test.cpp LIBS ole32 uuid)
tavix_windows_test(global_key_test
    SOURCES ${hooks_device_tests}/win_global_key_test.cpp ${hooks_device_tests}/injected_input.h
    LIBS tavix_hotkey)
