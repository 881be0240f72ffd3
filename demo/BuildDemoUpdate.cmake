# Assembles the demo update folder: the version folders as they stand, plus the BLOB package and
# the report archive zipped from their source folders. Report archive text is Windows-1251.
#   cmake -DDEMO_DIR=<demo source> -DOUT_DIR=<update folder> [-DPARAMS_OUT=<file>] -P BuildDemoUpdate.cmake
cmake_minimum_required(VERSION 3.25)

function(zip_folder folder archive)
  file(GLOB_RECURSE files RELATIVE ${folder} ${folder}/*)
  list(SORT files)
  file(REMOVE ${archive})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${archive} --format=zip -- ${files}
                  WORKING_DIRECTORY ${folder} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot zip ${folder}")
  endif()
endfunction()

file(REMOVE_RECURSE ${OUT_DIR})
file(COPY ${DEMO_DIR}/update/ DESTINATION ${OUT_DIR})

zip_folder(${DEMO_DIR}/payload/301_BlobPackage ${OUT_DIR}/Upd1.0.4.0/301_BlobPackage.bfb)

set(reports ${OUT_DIR}.reports)
file(REMOVE_RECURSE ${reports})
file(COPY ${DEMO_DIR}/payload/850_velmora_all_reports/ DESTINATION ${reports})
file(GLOB_RECURSE texts ${reports}/*.txt)
foreach(text IN LISTS texts)
  execute_process(COMMAND iconv -f UTF-8 -t CP1251 ${text} OUTPUT_FILE ${text}.1251
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot convert ${text} to Windows-1251")
  endif()
  file(RENAME ${text}.1251 ${text})
endforeach()
zip_folder(${reports} ${OUT_DIR}/Upd1.0.4.0/850_velmora_all_reports.rbz)
file(REMOVE_RECURSE ${reports})

# The release parameter file is Windows-1251; its source is kept as UTF-8.
if(PARAMS_OUT)
  execute_process(COMMAND iconv -f UTF-8 -t CP1251 ${DEMO_DIR}/PatchParams.utf8.ini
                  OUTPUT_FILE ${PARAMS_OUT} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot convert the parameter file to Windows-1251")
  endif()
endif()
