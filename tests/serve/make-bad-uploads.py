#!/usr/bin/env python3
"""Writes the hostile uploads of the service's suite into a folder, with the
makers of the command line's hostile-input suite.

usage: make-bad-uploads.py FOLDER
"""
import importlib.util
import io
import os
import sys
import zipfile

HOSTILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'hostile')
sys.path.insert(0, HOSTILE)
spec = importlib.util.spec_from_file_location('hostile', os.path.join(HOSTILE, 'make-hostile-inputs.py'))
hostile = importlib.util.module_from_spec(spec)
spec.loader.exec_module(hostile)
from encrypted_package import encrypt_package  # noqa: E402


def main():
    folder = sys.argv[1]
    hostile.write_zip_bomb(os.path.join(folder, 'zip-bomb.docx'))
    thesis = hostile.paragraph('摘要') + hostile.paragraph('本文研究论文格式。')
    plain = os.path.join(folder, 'plain.docx')
    hostile.write_docx(plain, thesis)
    with open(plain, 'rb') as f:
        package = f.read()
    with open(os.path.join(folder, 'encrypted.docx'), 'wb') as f:
        f.write(encrypt_package(package, 'geheim'))


if __name__ == '__main__':
    main()
