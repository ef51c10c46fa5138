# Makes a delay-load import library for one system DLL from its ordinary
# import library, exporting the same functions:
#   cmake -DNM=... -DDLLTOOL=... -DIMPLIB=libcomctl32.a -DDLL=comctl32.dll -DOUT=libqx_delay_comctl32.a -P DelayImport.cmake
execute_process(COMMAND ${NM} --defined-only ${IMPLIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} could not read ${IMPLIB}")
endif()
string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@]+" entries "${symbols}")
set(def "LIBRARY ${DLL}\nEXPORTS\n")
foreach(entry ${entries})
  string(REPLACE "I __imp_" "" name "${entry}")
  string(APPEND def "${name}\n")
endforeach()
set(def_file ${OUT}.def)
file(WRITE ${def_file} "${def}")
execute_process(COMMAND ${DLLTOOL} --input-def ${def_file} --dllname ${DLL} --output-delaylib ${OUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${DLLTOOL} could not make ${OUT}")
endif()
