# The program's file version and build time come from the build: the project
# version above and the configure time in UTC (SOURCE_DATE_EPOCH when set, so
# reproducible builds get a fixed stamp).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ORVANE_BUILD_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    string(TIMESTAMP ORVANE_BUILD_EPOCH "%s" UTC)
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/BuildInfo.h.in ${CMAKE_BINARY_DIR}/generated/BuildInfo.h @ONLY)
