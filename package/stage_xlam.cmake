# Copies the add-in workbook the native build made into the package stage;
# fails naming what to build when there is none. cmake -DSOURCE=... -DTARGET=... -P
if(NOT EXISTS "${SOURCE}")
  message(FATAL_ERROR "Brackwell.xlam is missing: ${SOURCE}\n"
    "The native build makes it: cmake --preset linux && cmake --build --preset linux --target brackwell_xlam "
    "(tools/package does), or set BRACKWELL_XLAM to the one to package.")
endif()
file(COPY_FILE "${SOURCE}" "${TARGET}" ONLY_IF_DIFFERENT)
