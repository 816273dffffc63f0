// trust_certificate add|remove CERT.der: puts a test certificate into the
// Wine prefix's machine root store, or takes it out again. Run in a process
// of its own before the test process starts: a process reads the root store
// once, the first time it checks a certificate chain.

#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "add") != 0 && std::strcmp(argv[1], "remove") != 0)) {
        std::fprintf(stderr, "usage: trust_certificate add|remove CERT.der\n");
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    const std::vector<unsigned char> der{std::istreambuf_iterator<char>(file), {}};
    PCCERT_CONTEXT certificate =
        CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()));
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (certificate == nullptr || store == nullptr) {
        std::fprintf(stderr, "trust_certificate: cannot read %s or open the root store\n", argv[2]);
        return 1;
    }
    bool done = false;
    if (std::strcmp(argv[1], "add") == 0) {
        done = CertAddCertificateContextToStore(store, certificate, CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    } else {
        PCCERT_CONTEXT found =
            CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, certificate, nullptr);
        done = found == nullptr || CertDeleteCertificateFromStore(found);
    }
    CertFreeCertificateContext(certificate);
    CertCloseStore(store, 0);
    return done ? 0 : 1;
}
