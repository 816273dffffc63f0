# Build-time constants: the hosts the boards and the announcement are read
# from. A packager (or a test build) sets them with -D at configure time; a
# host may carry ":port" so a test build can point a board at a loopback server.
set(BREVARO_FORUM_HOST "www.zuanke8.com" CACHE STRING "Host of the forum boards")
set(BREVARO_ARTICLE_HOST "www.iqshw.com" CACHE STRING "Host of the article site")
set(BREVARO_TIPSITE_HOST "lumaq.example" CACHE STRING "Host of the Lumaq tip site")
set(BREVARO_NOTICE_HOST "notice.lumaq.example" CACHE STRING "Host of the online announcement")

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConstants.h.in
    ${CMAKE_BINARY_DIR}/generated/BuildConstants.h @ONLY)
add_library(brevaro_build_constants INTERFACE)
target_include_directories(brevaro_build_constants INTERFACE ${CMAKE_BINARY_DIR}/generated)
