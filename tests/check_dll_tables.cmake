cmake_minimum_required(VERSION 3.25)
# Reads a DLL's export and import tables with objdump -p and fails unless it
# exports exactly EXPORTS and imports only from ALLOWED_IMPORTS (case-blind).
# Run as: cmake -DOBJDUMP=... -DDLL=... -DEXPORTS=a;b -DALLOWED_IMPORTS=x.dll;y.dll
#         [-DREQUIRED_IMPORTS=QorData.dll:GetArrayInfo,...] -P check_dll_tables.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump -p failed on ${DLL}")
endif()

# Exports: the lines of the [Ordinal/Name Pointer] Table.
set(exports "")
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
if(at GREATER -1)
  string(SUBSTRING "${dump}" ${at} -1 rest)
  string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" rows "${rest}")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^\n\t\\[ *[0-9]+\\] " "" name "${row}")
    list(APPEND exports "${name}")
  endforeach()
endif()
if(NOT exports STREQUAL "${EXPORTS}")
  message(FATAL_ERROR "${DLL} exports [${exports}], expected [${EXPORTS}]")
endif()

# Imports: every "DLL Name:" line, with the names imported from it.
string(REGEX MATCHALL "DLL Name: [^\n]+" dll_lines "${dump}")
string(TOLOWER "${ALLOWED_IMPORTS}" allowed)
set(imports "")
foreach(line IN LISTS dll_lines)
  string(REGEX REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll_lower)
  list(APPEND imports "${dll}")
  if(NOT dll_lower IN_LIST allowed)
    message(FATAL_ERROR "${DLL} imports ${dll}, which is not allowed (allowed: ${ALLOWED_IMPORTS})")
  endif()
endforeach()

# Required imports: DLL:name pairs that must appear under that DLL's block.
foreach(pair IN LISTS REQUIRED_IMPORTS)
  string(REPLACE ":" ";" parts "${pair}")
  list(GET parts 0 dll)
  list(GET parts 1 name)
  string(REGEX MATCH "DLL Name: ${dll}\n[^\n]*\n([^\n]+\n)*" block "${dump}")
  if(NOT block MATCHES "[ \t]${name}\n")
    message(FATAL_ERROR "${DLL} does not import ${name} from ${dll}")
  endif()
endforeach()
message(STATUS "exports: ${exports}; imports: ${imports}")
