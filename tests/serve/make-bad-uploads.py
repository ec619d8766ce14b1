#!/usr/bin/env python3
"""Writes the hostile uploads of the service's suite into a folder, with the
makers of the command line's hostile-input suite.

usage: make-bad-uploads.py FOLDER
"""
import io
import os
import runpy
import sys
import types
import zipfile

HOSTILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'hostile')
sys.path.insert(0, HOSTILE)
hostile = types.SimpleNamespace(**runpy.run_path(os.path.join(HOSTILE, 'make-hostile-inputs.py')))
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
