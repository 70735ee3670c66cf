# Run by CPack while it makes the Windows ZIP, after the install into its
# staging folder: puts beside every program in bin/ the DLLs it loads, Qt's
# and the MinGW runtime's, followed from DLL to DLL, and the Qt plugins a
# window program needs on Windows (the windows platform and the Windows
# style). Only these: no offscreen platform, no image formats. A program added
# to bin/ by the install rules comes along by itself.
cmake_minimum_required(VERSION 3.25)
set(bin "${CPACK_TEMPORARY_DIRECTORY}/bin")
file(GLOB programs "${bin}/*.exe")
if(NOT programs)
  message(FATAL_ERROR "No program in ${bin}")
endif()
set(plugins "${CPACK_BIDMARK_QT_PREFIX}/plugins")
file(COPY "${plugins}/platforms/qwindows.dll" DESTINATION "${bin}/platforms")
file(GLOB styles "${plugins}/styles/*.dll") # its name changes between Qt versions
file(COPY ${styles} DESTINATION "${bin}/styles")
file(GLOB styles "${bin}/styles/*.dll")
set(folders "${CPACK_BIDMARK_QT_PREFIX}/bin" ${CPACK_BIDMARK_RUNTIME_DIRS})

set(queue ${programs} "${bin}/platforms/qwindows.dll" ${styles})
set(system "") # Windows' own DLLs
while(queue)
  list(POP_FRONT queue file)
  execute_process(COMMAND "${CPACK_BIDMARK_OBJDUMP}" -p "${file}" OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  list(TRANSFORM imports REPLACE "^DLL Name: " "")
  foreach(dll IN LISTS imports)
    if(EXISTS "${bin}/${dll}" OR dll IN_LIST system)
      continue()
    endif()
    list(APPEND system "${dll}")
    foreach(folder IN LISTS folders)
      if(EXISTS "${folder}/${dll}")
        list(REMOVE_ITEM system "${dll}")
        file(COPY "${folder}/${dll}" DESTINATION "${bin}")
        if(NOT folder STREQUAL "${CPACK_BIDMARK_QT_PREFIX}/bin") # Qt's come stripped
          execute_process(COMMAND "${CPACK_BIDMARK_STRIP}" --strip-unneeded "${bin}/${dll}" COMMAND_ERROR_IS_FATAL ANY)
        endif()
        list(APPEND queue "${bin}/${dll}")
        break()
      endif()
    endforeach()
  endforeach()
endwhile()
list(SORT system CASE INSENSITIVE)
list(JOIN system " " system)
message(STATUS "Windows' own DLLs the programs load: ${system}")
