# Writes a delay-load import library for one system DLL, naming every function that MinGW's
# import library for it names, so that any call the program makes links.
#   cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIBRARY=libuser32.a -DDLL_NAME=user32.dll
#         -DOUTPUT=libuser32_delayed.a -P delay_import.cmake
execute_process(COMMAND ${NM} -g --defined-only ${IMPORT_LIBRARY}
    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL " I __imp_[^\n]+" imports "${symbols}")
list(TRANSFORM imports REPLACE " I __imp_" "")
list(REMOVE_DUPLICATES imports)
list(JOIN imports "\n" exports)
set(definition "${OUTPUT}.def")
file(WRITE ${definition} "LIBRARY ${DLL_NAME}\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} --input-def ${definition} --output-delaylib ${OUTPUT}
    COMMAND_ERROR_IS_FATAL ANY)
