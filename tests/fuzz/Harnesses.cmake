# The fuzz harnesses, one per parser: brevaro_fuzz_harness(NAME SOURCE LINK
# libraries...). The native build (tests/fuzz/CMakeLists.txt) makes each a
# replay program and a test over corpus/NAME and reproducers/NAME; the engine
# build (tests/fuzz/engine) links each with libFuzzer.
brevaro_fuzz_harness(board_rows BoardRowsFuzz.cpp LINK brevaro_monitor)
brevaro_fuzz_harness(popup_line PopupLineFuzz.cpp LINK brevaro_popup brevaro_alerts)
brevaro_fuzz_harness(link_resolution LinkResolutionFuzz.cpp
    LINK brevaro_link_resolution brevaro_monitor)
brevaro_fuzz_harness(cookie_rules CookieRulesFuzz.cpp LINK brevaro_http_rules)
brevaro_fuzz_harness(response_headers ResponseHeadersFuzz.cpp LINK brevaro_http_rules)
brevaro_fuzz_harness(search SearchFuzz.cpp LINK brevaro_text)
brevaro_fuzz_harness(integer_text IntegerTextFuzz.cpp LINK brevaro_text)
brevaro_fuzz_harness(encoding EncodingFuzz.cpp LINK brevaro_text)
brevaro_fuzz_harness(qr_image QrImageFuzz.cpp LINK brevaro_qr)
