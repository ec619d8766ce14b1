"""Word 2007 packages saved under a password, as Word 2007 saves them.

The package is encrypted with the standard method (AES-128, key derived from
the password with SHA-1 and 50,000 rounds) and stored in a compound file
beside its EncryptionInfo, the two streams Word looks for. The key derivation
and the check that the result decrypts again come from msoffcrypto-tool
(Debian's python3-msoffcrypto-tool), which reads such files but does not
write them.
"""
import hashlib
import io
import os
import struct

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
from msoffcrypto.format.ooxml import OOXMLFile
from msoffcrypto.method.ecma376_standard import ECMA376Standard

SECTOR = 512
MINI_SECTOR = 64
MINI_CUTOFF = 4096
FREE, END_OF_CHAIN, FAT_SECTOR, NO_STREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF

AES_128, SHA_1, PROVIDER_AES, KEY_BITS = 0x660E, 0x8004, 0x18, 128
CRYPTO_API_AES = 0x04 | 0x20
PROVIDER_NAME = 'Microsoft Enhanced RSA and AES Cryptographic Provider'


def _aes(key, data):
    encryptor = Cipher(algorithms.AES(key), modes.ECB()).encryptor()
    return encryptor.update(data) + encryptor.finalize()


def _padded(data, unit):
    return data + b'\0' * (-len(data) % unit)


def _encryption_info(salt, key, verifier):
    provider = (PROVIDER_NAME + '\0').encode('utf-16-le')
    header = struct.pack('<8I', CRYPTO_API_AES, 0, AES_128, SHA_1, KEY_BITS, PROVIDER_AES, 0, 0) + provider
    verifier_hash = _padded(hashlib.sha1(verifier).digest(), 16)
    return (struct.pack('<HHII', 3, 2, CRYPTO_API_AES, len(header)) + header +
            struct.pack('<I', len(salt)) + salt + _aes(key, verifier) +
            struct.pack('<I', 20) + _aes(key, verifier_hash))


def _directory_entry(name, kind, start, size, child=NO_STREAM, left=NO_STREAM, right=NO_STREAM, red=False):
    encoded = (name + '\0').encode('utf-16-le') if name else b''
    return (encoded.ljust(64, b'\0') + struct.pack('<HBB3I', len(encoded), kind, 0 if red else 1, left, right, child) +
            b'\0' * 16 + struct.pack('<I', 0) + b'\0' * 16 + struct.pack('<IQ', start, size))


def _chain(fat, first, count):
    for i in range(count):
        fat[first + i] = first + i + 1 if i + 1 < count else END_OF_CHAIN


def compound_file(info, package):
    """A version 3 compound file whose root holds EncryptionInfo and
    EncryptedPackage: a stream under 4 KB in the mini stream, a larger one in
    sectors of its own."""
    streams = [('EncryptionInfo', info), ('EncryptedPackage', package)]
    mini_stream, mini_chain, blobs, places = b'', [], [], []
    for _, data in streams:
        if len(data) < MINI_CUTOFF:
            first, count = len(mini_chain), len(_padded(data, MINI_SECTOR)) // MINI_SECTOR
            mini_chain += [first + i + 1 for i in range(count - 1)] + [END_OF_CHAIN]
            mini_stream += _padded(data, MINI_SECTOR)
            places.append(('mini', first))
        else:
            places.append(('sectors', len(blobs)))
            blobs.append(_padded(data, SECTOR))
    mini_fat = struct.pack(f'<{len(mini_chain)}I', *mini_chain).ljust(SECTOR, b'\xff') if mini_chain else b''
    # Sector 0 holds the directory (four entries), then the mini FAT, the
    # mini stream and the large streams; the FAT sectors come last.
    layout = [mini_fat, _padded(mini_stream, SECTOR)] + blobs
    sectors = [len(b) // SECTOR for b in layout]
    used = 1 + sum(sectors)
    fat_sectors = 1
    while used + fat_sectors > fat_sectors * (SECTOR // 4):
        fat_sectors += 1
    assert fat_sectors <= 109, 'one header holds up to 109 FAT sectors'
    fat = [FREE] * (fat_sectors * SECTOR // 4)
    fat[0] = END_OF_CHAIN
    starts, at = [], 1
    for count in sectors:
        starts.append(at if count else END_OF_CHAIN)
        _chain(fat, at, count)
        at += count
    for i in range(fat_sectors):
        fat[at + i] = FAT_SECTOR

    def start_of(place):
        where, index = place
        return index if where == 'mini' else starts[2 + index]

    # Siblings ordered by name length, then name: EncryptionInfo < EncryptedPackage.
    (_, info_data), (_, package_data) = streams
    directory = (_directory_entry('Root Entry', 5, starts[1], len(mini_stream), child=2) +
                 _directory_entry('EncryptionInfo', 2, start_of(places[0]), len(info_data), red=True) +
                 _directory_entry('EncryptedPackage', 2, start_of(places[1]), len(package_data), left=1) +
                 _directory_entry('', 0, 0, 0))
    difat = [at + i for i in range(fat_sectors)] + [FREE] * (109 - fat_sectors)
    header = (b'\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1' + b'\0' * 16 +
              struct.pack('<HHHHH6xIIIIIIIII', 0x3E, 3, 0xFFFE, 9, 6, 0, fat_sectors, 0, 0, MINI_CUTOFF,
                          starts[0], sectors[0], END_OF_CHAIN, 0) +
              struct.pack('<109I', *difat))
    assert len(header) == SECTOR
    return header + directory + b''.join(layout) + struct.pack(f'<{len(fat)}I', *fat)


def encrypt_package(package, password):
    """The bytes of `package` (a .docx) saved under `password`."""
    salt, verifier = os.urandom(16), os.urandom(16)
    key = ECMA376Standard.makekey_from_password(password, AES_128, SHA_1, PROVIDER_AES, KEY_BITS, len(salt), salt)
    encrypted = struct.pack('<Q', len(package)) + _aes(key, _padded(package, 16))
    result = compound_file(_encryption_info(salt, key, verifier), encrypted)
    _require_decrypts(result, password, package)
    return result


def _require_decrypts(encrypted, password, package):
    document = OOXMLFile(io.BytesIO(encrypted))
    document.load_key(password=password, verify_password=True)
    decrypted = io.BytesIO()
    document.decrypt(decrypted)
    assert decrypted.getvalue() == package, 'the encrypted package does not decrypt to the original'
