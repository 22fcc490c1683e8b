# Third-party libraries, all from Debian's packages (see tools/setup.sh).
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets Network Sql Script Test)
find_package(OpenSSL REQUIRED)
find_package(QuaZip-Qt5 REQUIRED)
find_package(ZXing REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(QRENCODE REQUIRED IMPORTED_TARGET libqrencode)

# OpenCV: only core and imgproc are used. Debian ships the CMake package only
# with libopencv-dev, which pulls in every OpenCV module, so the two are found
# directly.
find_path(OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
find_library(OPENCV_CORE_LIBRARY opencv_core REQUIRED)
find_library(OPENCV_IMGPROC_LIBRARY opencv_imgproc REQUIRED)
add_library(tavix_opencv INTERFACE)
target_include_directories(tavix_opencv SYSTEM INTERFACE ${OPENCV_INCLUDE_DIR})
target_link_libraries(tavix_opencv INTERFACE ${OPENCV_IMGPROC_LIBRARY} ${OPENCV_CORE_LIBRARY})
add_library(tavix::opencv ALIAS tavix_opencv)

# The Linux backend's system libraries (platform/linux/).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    find_package(X11 REQUIRED)
    find_package(ALSA REQUIRED)
endif()
