# Build-time constants: the hosts the boards and the announcement are read
# from, and the maker's addresses and contact. A packager (or a test build) sets them with -D at configure time; a
# host may carry ":port" so a test build can point a board at a loopback server.
set(BREVARO_FORUM_HOST "www.zuanke8.com" CACHE STRING "Host of the forum boards")
set(BREVARO_ARTICLE_HOST "www.iqshw.com" CACHE STRING "Host of the article site")
set(BREVARO_TIPSITE_HOST "lumaq.example" CACHE STRING "Host of the Lumaq tip site")
set(BREVARO_NOTICE_HOST "notice.lumaq.example" CACHE STRING "Host of the online announcement")

# The page the network test opens at start-up: Windows' own connectivity-test
# address. The maker's links (the links window, the usage page's feedback
# button, the settings panel's group button), the contact shown in the links
# window and the exit box's sentence, which names the contact.
set(BREVARO_NETTEST_URL "http://www.msftconnecttest.com/connecttest.txt" CACHE STRING
    "Page the network test opens")
set(BREVARO_SITE_URL "https://${BREVARO_TIPSITE_HOST}/" CACHE STRING "The maker's web site")
set(BREVARO_CONTACT_URL "https://${BREVARO_TIPSITE_HOST}/contact" CACHE STRING
    "The maker's instant-messaging contact page")
set(BREVARO_UPDATE_GROUP_URL "https://${BREVARO_TIPSITE_HOST}/groups/updates" CACHE STRING
    "Invitation to the maker's update group")
set(BREVARO_OFFICIAL_GROUP_URL "https://${BREVARO_TIPSITE_HOST}/groups/official" CACHE STRING
    "Invitation to the Lumaq group")
set(BREVARO_ROBOT_GROUP_URL "https://${BREVARO_TIPSITE_HOST}/groups/tip-robot" CACHE STRING
    "Invitation to the tip robot's group")
set(BREVARO_FEEDBACK_GROUP_URL "https://${BREVARO_TIPSITE_HOST}/groups/feedback" CACHE STRING
    "Invitation to the feedback group")
set(BREVARO_SETTINGS_GROUP_URL "https://${BREVARO_TIPSITE_HOST}/groups/members" CACHE STRING
    "Invitation to the group behind the settings panel's button")
set(BREVARO_CONTACT "service@lumaq.example" CACHE STRING "The maker's contact (UTF-8)")
set(BREVARO_EXIT_SENTENCE "退出前建议先添加作者的联系方式 ${BREVARO_CONTACT}，以免失去联系。"
    CACHE STRING "The exit box's advice to keep in touch (UTF-8)")

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConstants.h.in
    ${CMAKE_BINARY_DIR}/generated/BuildConstants.h @ONLY)
add_library(brevaro_build_constants INTERFACE)
target_include_directories(brevaro_build_constants INTERFACE ${CMAKE_BINARY_DIR}/generated)
